#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace warpix {

// A compiled regular expression over PCRE2 with the four operations the
// crawler needs. Every match runs under a match and depth limit, so a
// hostile page makes a search fail instead of running for minutes; a
// search that hits a limit counts as no match, and FindAndConsume reports
// it through hitLimit() so a scan can stop there. Searches reuse one match
// record, so an RE serves one thread at a time.
class RE {
 public:
  // Steps one search may take from each starting point: far above what a
  // real page needs, low enough that a page built to backtrack stops soon.
  static constexpr std::uint32_t kMatchLimit = 200'000;
  static constexpr std::uint32_t kDepthLimit = 5'000;

  explicit RE(std::string_view pattern, bool caseless = false);
  ~RE();
  RE(const RE&) = delete;
  RE& operator=(const RE&) = delete;
  RE(RE&&) noexcept;
  RE& operator=(RE&&) noexcept;

  // False when the pattern did not compile; such a pattern matches nothing.
  bool ok() const { return code_ != nullptr; }

  // Replaces the first match in `text` by `rewrite`, in which \0 .. \9
  // stand for the groups. True when something was replaced.
  bool Replace(std::string& text, std::string_view rewrite) const;
  // Replaces every match, left to right; the number replaced.
  int GlobalReplace(std::string& text, std::string_view rewrite) const;
  // Searches `input` from its start; on a match stores the groups (1 up
  // to the number the pattern has) in `groups`, drops everything up to the
  // end of the match from `input` and answers true.
  bool FindAndConsume(std::string_view& input, std::vector<std::string_view>& groups) const;
  // True when the pattern matches anywhere in `text`.
  bool PartialMatch(std::string_view text) const;

  // The last search stopped at a limit rather than by failing to match.
  bool hitLimit() const { return hitLimit_; }

 private:
  // Offsets of the whole match and its groups, or an empty vector.
  std::vector<std::size_t> search(std::string_view text, std::size_t from) const;
  static std::string expand(std::string_view text, const std::vector<std::size_t>& offsets, std::string_view rewrite);

  void* code_ = nullptr;     // pcre2_code_8
  void* context_ = nullptr;  // pcre2_match_context_8
  void* data_ = nullptr;     // pcre2_match_data_8, reused by every search
  mutable bool hitLimit_ = false;
};

}  // namespace warpix
