#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class Regex;

// One match: the offsets of every group into the subject it was found in.
// The subject must outlive the match.
class RegexMatch {
public:
    // Whether group `group` took part in the match.
    bool Matched(int group = 0) const;
    size_t Position(int group = 0) const;
    size_t Length(int group = 0) const;
    size_t End() const { return Position() + Length(); }
    // The group's text; empty when it did not take part.
    std::string_view Group(int group = 0) const;
    std::string_view Group(std::string_view name) const;
    int GroupCount() const { return static_cast<int>(offsets_.size()); }

private:
    friend class Regex;
    static constexpr size_t kUnset = static_cast<size_t>(-1);
    std::string_view subject_;
    std::vector<std::pair<size_t, size_t>> offsets_; // start, end per group
    const Regex* regex_ = nullptr;
};

// A PCRE2 pattern in UTF mode, compiled (and JIT-compiled where available)
// once, when the object is made. Objects are immutable and may be shared.
class Regex {
public:
    // Anchored: a match must start exactly at the position searched from.
    enum Options : unsigned { None = 0, Caseless = 1, DotAll = 2, Multiline = 4, Anchored = 8 };

    // Fails with QuillError for a pattern that does not compile.
    explicit Regex(std::string_view pattern, unsigned options = None);
    ~Regex();
    Regex(Regex&&) noexcept;
    Regex& operator=(Regex&&) noexcept;
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    bool IsMatch(std::string_view subject) const;
    std::optional<RegexMatch> Match(std::string_view subject, size_t start = 0) const;
    std::vector<RegexMatch> Matches(std::string_view subject) const;

    // Every match replaced by what the evaluator returns for it.
    std::string ReplaceMatches(std::string_view subject,
                               const std::function<std::string(const RegexMatch&)>& evaluator) const;
    // Every match replaced by `replacement`, in which $0..$99 and ${name}
    // stand for groups and $$ for a dollar sign.
    std::string Replace(std::string_view subject, std::string_view replacement) const;

    // The number of a named group, or -1.
    int GroupNumber(std::string_view name) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

// `replacement` for one match, with $0..$99 and ${name} standing for groups
// and $$ for a dollar sign (as Regex::Replace writes it for each match).
std::string ExpandReplacement(const RegexMatch& match, std::string_view replacement);

} // namespace quillmark
