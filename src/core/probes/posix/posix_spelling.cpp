#include "probes/posix/posix_spelling.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "probes/path_text.h"

namespace sqp {

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool NeedsEnvironment(std::string_view text) {
  return IsDriveLetterText(text) || text == "~" || text.starts_with("~/");
}

// Whether CollapseDotSteps would give `path` back as it is: no "." or ".."
// name and no run of "/". Most texts are, and a probe asks for six of them
// on every keystroke.
bool HasNoDotSteps(std::string_view path) {
  // Whether the name that starts at `at` is empty (a run of "/", unless it
  // ends the text), "." or "..".
  const auto is_step = [path](std::size_t at) {
    const std::string_view name = path.substr(at, path.find('/', at) - at);
    return name.empty() ? at < path.size() : name == "." || name == "..";
  };
  // A plain loop: a name rarely starts with "." or "/", so only those are
  // looked at more closely.
  if (!path.empty() && path.front() == '.' && is_step(0)) return false;
  for (std::size_t i = 0; i + 1 < path.size(); ++i) {
    if (path[i] == '/' && (path[i + 1] == '/' || path[i + 1] == '.') && is_step(i + 1)) {
      return false;
    }
  }
  return true;
}

}  // namespace

PathEnvironment PathEnvironmentOfProcess() {
  return {EnvironmentValue("WINEPREFIX"), EnvironmentValue("HOME")};
}

std::optional<std::string> WinePrefix(const PathEnvironment& environment) {
  if (!environment.wine_prefix.empty()) return environment.wine_prefix;
  if (environment.home.empty()) return std::nullopt;
  std::string prefix = environment.home;
  if (prefix.back() != '/') prefix += '/';
  return prefix + ".wine";
}

std::string CollapseDotSteps(std::string_view path) {
  if (HasNoDotSteps(path)) return std::string(path);
  const bool absolute = !path.empty() && path.front() == '/';
  std::vector<std::string_view> kept;
  std::size_t leading_parents = 0;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const std::size_t end = std::min(path.find('/', pos), path.size());
    const std::string_view name = path.substr(pos, end - pos);
    pos = end + 1;
    if (name.empty() || name == ".") continue;
    if (name != "..") {
      kept.push_back(name);
    } else if (!kept.empty()) {
      kept.pop_back();
    } else if (!absolute) {
      ++leading_parents;
    }
  }
  std::string collapsed;
  if (absolute) collapsed.push_back('/');
  for (std::size_t i = 0; i < leading_parents; ++i) collapsed.append({'.', '.', '/'});
  for (const std::string_view name : kept) {
    collapsed.append(name);
    collapsed.push_back('/');
  }
  const bool ends_in_slash = !path.empty() && path.back() == '/';
  if (collapsed.size() > 1 && collapsed.back() == '/' && !ends_in_slash) collapsed.pop_back();
  if (collapsed.empty() && !path.empty()) collapsed.push_back('.');
  return collapsed;
}

std::optional<std::string> PosixSpelling(std::string_view text,
                                         const PathEnvironment& environment) {
  if (IsDriveLetterText(text)) {
    std::optional<std::string> spelling = WinePrefix(environment);
    if (!spelling) return std::nullopt;
    if (spelling->back() != '/') *spelling += '/';
    *spelling += "dosdevices/";
    *spelling += static_cast<char>(text[0] | 0x20);  // ASCII lower case
    *spelling += ':';
    // "." and ".." are steps in the text, as on Windows: ".." never leaves
    // the drive for the prefix that holds it.
    const std::size_t root = spelling->size();
    const std::string_view separators = SeparatorsOf(text);
    std::string_view rest = text.substr(2);
    while (!rest.empty()) {
      const std::size_t end = std::min(rest.find_first_of(separators), rest.size());
      const std::string_view name = rest.substr(0, end);
      rest.remove_prefix(std::min(end + 1, rest.size()));
      if (name.empty() || name == ".") continue;
      if (name == "..") {
        spelling->resize(std::max(root, spelling->rfind('/')));
        continue;
      }
      *spelling += '/';
      *spelling += name;
    }
    if (text.size() > 2 && separators.find(text.back()) != std::string_view::npos) {
      *spelling += '/';
    }
    return spelling;
  }
  if (text == "~" || text.starts_with("~/")) {
    if (environment.home.empty()) return std::nullopt;
    std::string spelling = environment.home;
    if (text.size() > 1 && spelling.back() == '/') spelling.pop_back();
    spelling += text.substr(1);
    return spelling;
  }
  return std::string(text);
}

bool IsOwnLookupSpelling(std::string_view text) {
  return !NeedsEnvironment(text) && HasNoDotSteps(text);
}

std::optional<std::string> LookupSpelling(std::string_view text) {
  // The environment is read only for the texts that use it.
  if (!NeedsEnvironment(text)) return CollapseDotSteps(text);
  std::optional<std::string> spelling = PosixSpelling(text, PathEnvironmentOfProcess());
  if (spelling && !IsDriveLetterText(text)) *spelling = CollapseDotSteps(*spelling);
  return spelling;
}

}  // namespace sqp
