#pragma once

#include <string>
#include <vector>

namespace quillmark {

class IProcessRunner;

// Which dictionaries the editor page's spell checker uses. The checker
// (Chromium's, inside the browser control) reads dictionaries in its own
// format, "<language>.bdic", from one folder; the build makes them from the
// installed hunspell dictionaries. It has no way to be handed single
// words, so the project's word list (meta/dictionary.txt) becomes one more
// small dictionary, made with the same converter whenever a project opens
// or a word is added, under a new name each time so that the checker loads
// it again. A word that any of its dictionaries knows is not underlined.
struct TSpellCheckPlaces {
    std::string DictionaryFolder; // the checker's folder; written into
    std::string Converter;        // qwebengine_convert_dict; empty: none
};

// The checker's folder for a program whose dictionaries (made by the build)
// lie in `programDictionaries`: a folder of the per-user application folder
// that the program may write into, holding a copy of each of them (copied
// again only when it changed). Dictionaries the author put there stay.
// Returns the folder; failures to copy leave what is there.
std::string PrepareDictionaryFolder(const std::string& programDictionaries,
                                    const std::string& userFolder);

// The dictionaries in the folder (file names without ".bdic"), those made
// from project word lists left out, sorted.
std::vector<std::string> AvailableDictionaries(const std::string& folder);

// The dictionary for a content language ("en", "en-US", "de_DE"): the one
// of the same name, else one of the same language (the language's own
// country first: "de" takes "de-DE", "en" takes "en-US"), else none.
std::string ChooseDictionary(const std::string& contentLanguage,
                             const std::vector<std::string>& available);

// A hunspell word list (.dic) of the words; "/" escaped.
std::string HunspellWordList(const std::vector<std::string>& words);

class TSpellCheckDictionaries {
public:
    TSpellCheckDictionaries(TSpellCheckPlaces places, IProcessRunner& runner);

    // The checker's languages for the project: the content language's
    // dictionary and, when the project has words and the converter runs,
    // the dictionary of its words. Empty: nothing to check with.
    std::vector<std::string> LanguagesFor(const std::string& rootPath,
                                          const std::string& contentLanguage);

    // Why spell checking is off or incomplete (shown once), or empty.
    const std::string& Problem() const { return FProblem; }

private:
    // The name of the dictionary made from the words, or empty.
    std::string MakeWordsDictionary(const std::vector<std::string>& words);

    TSpellCheckPlaces FPlaces;
    IProcessRunner& FRunner;
    std::string FProblem;
    std::string FWordsName; // the one made last, from FWordsMade
    std::vector<std::string> FWordsMade;
    int FGeneration = 0;
};

} // namespace quillmark
