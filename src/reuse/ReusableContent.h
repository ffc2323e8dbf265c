#pragma once

#include "base/JsonRead.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class TDocProject;

struct TReusableVariable {
    std::string Name;  // trimmed
    std::string Value; // as entered, may be empty
};

struct TReusableSnippet {
    std::string Name; // trimmed
    std::string Html; // as entered, may be empty
};

struct TReusableCondition {
    std::string Name; // trimmed
    bool Enabled = false;
};

// <root>/meta/reusable_content.json
std::string ReusableContentFilePath(const TDocProject& P);

// The project's variables, snippets and conditions as stored in
// meta/reusable_content.json. Names need not be unique: every entry is kept
// and written back, and each lookup sees only the first entry of a name.
class TReusableProjectContent {
public:
    std::vector<TReusableVariable> FVariables;
    std::vector<TReusableSnippet> FSnippets;
    std::vector<TReusableCondition> FConditions;

    void Clear();

    // Replaces the lists with the file's content. An empty root path and a
    // missing file leave the lists empty; so does a file that holds no JSON
    // text when `damaged` allows it (the dialog), while publishing fails on
    // it, so that a damaged file never publishes as a project without
    // variables and snippets. A top level that is not an object,
    // or a list member that is not an array, fails with "Invalid class
    // typecast" (after the file's name and the member's); the lists read
    // before it stay filled.
    void LoadFromProject(const TDocProject& P,
                         TDamagedFile damaged = TDamagedFile::ReadAsMissing);

    // Replaces the file (creating meta/ when needed) with the compact JSON
    // of the lists, entries with an empty trimmed name left out; a file there
    // that is not JSON is kept aside as "reusable_content.json.unreadable"
    // first. Nothing happens for an empty root path. A failed write raises
    // an error and leaves the previous file as it was.
    void SaveToProject(const TDocProject& P) const;

    // Lookups by name, letters A to Z compared without regard to case and
    // every other character exactly; `AName` is not trimmed.
    std::string VariableValue(std::string_view AName, std::string_view ADefault) const;
    std::string SnippetHtml(std::string_view AName, std::string_view ADefault) const;
    bool ConditionEnabled(std::string_view AName, bool ADefault) const;

    // The first snippet of that name, or null.
    const TReusableSnippet* FindSnippet(std::string_view AName) const;

private:
    void ReadLists(const JsonValue& root);
};

} // namespace quillmark
