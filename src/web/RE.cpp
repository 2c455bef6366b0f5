#include "web/RE.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <utility>

namespace warpix {

namespace {
pcre2_code* codeOf(void* p) { return static_cast<pcre2_code*>(p); }
pcre2_match_context* contextOf(void* p) { return static_cast<pcre2_match_context*>(p); }
pcre2_match_data* dataOf(void* p) { return static_cast<pcre2_match_data*>(p); }

}  // namespace

RE::RE(std::string_view pattern, bool caseless) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                   caseless ? PCRE2_CASELESS : 0u, &error, &offset, nullptr);
  if (code == nullptr) return;
  // The compiled machine code runs the same patterns many times faster;
  // where it is not available the interpreter does the same work.
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  pcre2_match_context* context = pcre2_match_context_create(nullptr);
  pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
  if (context == nullptr || data == nullptr) {
    pcre2_match_data_free(data);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
    return;
  }
  pcre2_set_match_limit(context, kMatchLimit);
  pcre2_set_depth_limit(context, kDepthLimit);
  code_ = code;
  context_ = context;
  data_ = data;
}

RE::~RE() {
  pcre2_match_data_free(dataOf(data_));
  pcre2_match_context_free(contextOf(context_));
  pcre2_code_free(codeOf(code_));
}

RE::RE(RE&& other) noexcept
    : code_(std::exchange(other.code_, nullptr)),
      context_(std::exchange(other.context_, nullptr)),
      data_(std::exchange(other.data_, nullptr)) {}

RE& RE::operator=(RE&& other) noexcept {
  std::swap(code_, other.code_);
  std::swap(context_, other.context_);
  std::swap(data_, other.data_);
  return *this;
}

std::vector<std::size_t> RE::search(std::string_view text, std::size_t from) const {
  hitLimit_ = false;
  if (code_ == nullptr) return {};
  pcre2_match_data* match = dataOf(data_);
  const int rc = pcre2_match(codeOf(code_), reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), from, 0,
                             match, contextOf(context_));
  if (rc < 0) {
    hitLimit_ = rc != PCRE2_ERROR_NOMATCH;
    return {};
  }
  const std::uint32_t pairs = pcre2_get_ovector_count(match);
  const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(match);
  std::vector<std::size_t> offsets(ov, ov + 2 * static_cast<std::size_t>(pairs));
  // A group that took no part in the match reads as empty.
  for (std::size_t i = 0; i < offsets.size(); i += 2)
    if (offsets[i] == PCRE2_UNSET) offsets[i] = offsets[i + 1] = offsets[0];
  return offsets;
}

std::string RE::expand(std::string_view text, const std::vector<std::size_t>& offsets, std::string_view rewrite) {
  std::string out;
  for (std::size_t i = 0; i < rewrite.size(); ++i) {
    const char c = rewrite[i];
    if (c == '\\' && i + 1 < rewrite.size()) {
      const char next = rewrite[++i];
      if (next >= '0' && next <= '9') {
        const std::size_t group = static_cast<std::size_t>(next - '0') * 2;
        if (group + 1 < offsets.size()) out.append(text.substr(offsets[group], offsets[group + 1] - offsets[group]));
        continue;
      }
      out += next;
      continue;
    }
    out += c;
  }
  return out;
}

bool RE::Replace(std::string& text, std::string_view rewrite) const {
  const std::vector<std::size_t> offsets = search(text, 0);
  if (offsets.empty()) return false;
  const std::string with = expand(text, offsets, rewrite);
  text.replace(offsets[0], offsets[1] - offsets[0], with);
  return true;
}

int RE::GlobalReplace(std::string& text, std::string_view rewrite) const {
  std::string out;
  std::size_t from = 0;
  int count = 0;
  for (;;) {
    const std::vector<std::size_t> offsets = search(text, from);
    if (offsets.empty()) break;
    out.append(text, from, offsets[0] - from);
    out += expand(text, offsets, rewrite);
    ++count;
    if (offsets[1] == offsets[0]) {
      // An empty match: keep the next character and move past it.
      if (offsets[1] >= text.size()) {
        from = text.size();
        break;
      }
      out += text[offsets[1]];
      from = offsets[1] + 1;
    } else {
      from = offsets[1];
    }
  }
  if (count == 0) return 0;
  out.append(text, from, std::string::npos);
  text = std::move(out);
  return count;
}

bool RE::FindAndConsume(std::string_view& input, std::vector<std::string_view>& groups) const {
  const std::vector<std::size_t> offsets = search(input, 0);
  if (offsets.empty()) return false;
  groups.clear();
  for (std::size_t i = 2; i + 1 < offsets.size(); i += 2)
    groups.push_back(input.substr(offsets[i], offsets[i + 1] - offsets[i]));
  // An empty match still moves on, or a caller's loop would never end.
  const std::size_t end = offsets[1] > offsets[0] ? offsets[1] : std::min(input.size(), offsets[1] + 1);
  input.remove_prefix(end);
  return true;
}

bool RE::PartialMatch(std::string_view text) const { return !search(text, 0).empty(); }

}  // namespace warpix
