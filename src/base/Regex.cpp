#define PCRE2_CODE_UNIT_WIDTH 8
#include "base/Regex.h"

#include "base/QuillError.h"

#include <pcre2.h>

#include <new>

namespace quillmark {

struct Regex::Compiled {
    pcre2_code* code = nullptr;
    uint32_t captureCount = 0;
    ~Compiled() { pcre2_code_free(code); }
};

namespace {

struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

PCRE2_SPTR Bytes(std::string_view text) { return reinterpret_cast<PCRE2_SPTR>(text.data()); }

// One match data block per thread, shared by every pattern and grown when a
// pattern has more groups, so that a match allocates nothing in PCRE2.
pcre2_match_data* SharedMatchData(uint32_t pairs) {
    thread_local MatchData data;
    thread_local uint32_t capacity = 0;
    if (pairs > capacity) {
        data.reset(pcre2_match_data_create(pairs, nullptr));
        if (!data)
            throw std::bad_alloc();
        capacity = pairs;
    }
    return data.get();
}

// Length of the UTF-8 character starting at `pos` (1 for a stray byte).
size_t CharLength(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return std::min(length, text.size() - pos);
}

} // namespace

bool RegexMatch::Matched(int group) const {
    return group >= 0 && group < GroupCount() && offsets_[group].first != kUnset;
}

size_t RegexMatch::Position(int group) const { return Matched(group) ? offsets_[group].first : 0; }

size_t RegexMatch::Length(int group) const {
    return Matched(group) ? offsets_[group].second - offsets_[group].first : 0;
}

std::string_view RegexMatch::Group(int group) const {
    return Matched(group) ? subject_.substr(Position(group), Length(group)) : std::string_view();
}

std::string_view RegexMatch::Group(std::string_view name) const {
    return regex_ ? Group(regex_->GroupNumber(name)) : std::string_view();
}

Regex::Regex(std::string_view pattern, unsigned options) : compiled_(std::make_unique<Compiled>()) {
    uint32_t flags = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF;
    if (options & Caseless)
        flags |= PCRE2_CASELESS;
    if (options & DotAll)
        flags |= PCRE2_DOTALL;
    if (options & Multiline)
        flags |= PCRE2_MULTILINE;
    if (options & Anchored)
        flags |= PCRE2_ANCHORED;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    compiled_->code =
        pcre2_compile(Bytes(pattern), pattern.size(), flags, &error, &errorOffset, nullptr);
    if (compiled_->code == nullptr) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(error, message, sizeof message);
        throw QuillError("Invalid regular expression at offset " + std::to_string(errorOffset) +
                         ": " + reinterpret_cast<const char*>(message));
    }
    pcre2_jit_compile(compiled_->code, PCRE2_JIT_COMPLETE); // falls back to the interpreter
    pcre2_pattern_info(compiled_->code, PCRE2_INFO_CAPTURECOUNT, &compiled_->captureCount);
}

Regex::~Regex() = default;
Regex::Regex(Regex&&) noexcept = default;
Regex& Regex::operator=(Regex&&) noexcept = default;

std::optional<RegexMatch> Regex::Match(std::string_view subject, size_t start) const {
    if (start > subject.size())
        return std::nullopt;
    const uint32_t captures = compiled_->captureCount;
    pcre2_match_data* data = SharedMatchData(captures + 1);
    int rc = pcre2_match(compiled_->code, Bytes(subject), subject.size(), start, 0, data, nullptr);
    // The compiled code runs on a small fixed stack; a long subject may need
    // more than it has, and the interpreter, which keeps its state on the
    // heap, matches it instead.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)
        rc = pcre2_match(compiled_->code, Bytes(subject), subject.size(), start, PCRE2_NO_JIT, data,
                         nullptr);
    if (rc == PCRE2_ERROR_NOMATCH)
        return std::nullopt;
    if (rc < 0) {
        PCRE2_UCHAR message[256];
        pcre2_get_error_message(rc, message, sizeof message);
        throw QuillError(std::string("Regular expression failed: ") +
                         reinterpret_cast<const char*>(message));
    }
    RegexMatch match;
    match.subject_ = subject;
    match.regex_ = this;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
    match.offsets_.reserve(captures + 1);
    for (uint32_t i = 0; i <= captures; ++i) {
        if (ovector[2 * i] == PCRE2_UNSET)
            match.offsets_.emplace_back(RegexMatch::kUnset, RegexMatch::kUnset);
        else
            match.offsets_.emplace_back(ovector[2 * i], ovector[2 * i + 1]);
    }
    return match;
}

std::vector<RegexMatch> Regex::Matches(std::string_view subject) const {
    std::vector<RegexMatch> matches;
    size_t start = 0;
    while (start <= subject.size()) {
        std::optional<RegexMatch> match = Match(subject, start);
        if (!match)
            break;
        if (match->Length() == 0) {
            // An empty match: step one character on so the walk always ends.
            start = match->Position() + (match->Position() < subject.size()
                                             ? CharLength(subject, match->Position())
                                             : 1);
        } else {
            start = match->End();
        }
        matches.push_back(std::move(*match));
    }
    return matches;
}

bool Regex::IsMatch(std::string_view subject) const { return Match(subject).has_value(); }

std::string Regex::ReplaceMatches(
    std::string_view subject,
    const std::function<std::string(const RegexMatch&)>& evaluator) const {
    std::string out;
    out.reserve(subject.size());
    size_t copied = 0;
    for (const RegexMatch& match : Matches(subject)) {
        out.append(subject.substr(copied, match.Position() - copied));
        out.append(evaluator(match));
        copied = match.End();
    }
    out.append(subject.substr(copied));
    return out;
}

std::string Regex::Replace(std::string_view subject, std::string_view replacement) const {
    return ReplaceMatches(subject, [&](const RegexMatch& match) {
        return ExpandReplacement(match, replacement);
    });
}

std::string ExpandReplacement(const RegexMatch& match, std::string_view replacement) {
    std::string out;
    for (size_t i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        if (c != '$' || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        const char next = replacement[i + 1];
        if (next == '$') {
            out += '$';
            ++i;
        } else if (next >= '0' && next <= '9') {
            int group = next - '0';
            ++i;
            if (i + 1 < replacement.size() && replacement[i + 1] >= '0' &&
                replacement[i + 1] <= '9' &&
                group * 10 + (replacement[i + 1] - '0') < match.GroupCount()) {
                group = group * 10 + (replacement[i + 1] - '0');
                ++i;
            }
            out.append(match.Group(group));
        } else if (next == '{') {
            const size_t close = replacement.find('}', i + 2);
            if (close == std::string_view::npos) {
                out += c;
                continue;
            }
            out.append(match.Group(replacement.substr(i + 2, close - i - 2)));
            i = close;
        } else {
            out += c;
        }
    }
    return out;
}

int Regex::GroupNumber(std::string_view name) const {
    const std::string key(name);
    const int number = pcre2_substring_number_from_name(compiled_->code, Bytes(key));
    return number > 0 ? number : -1;
}

} // namespace quillmark
