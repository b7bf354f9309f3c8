#include "probe_answers.h"

#include <exception>
#include <ostream>

#include "differential_table.h"
#include "probes/file_probes.h"
#include "probes/probe_pass.h"

namespace sqp::differential {

std::string_view ProbeName(Probe probe) {
  switch (probe) {
    case Probe::kPresent:
      return "present";
    case Probe::kWriteable:
      return "writeable";
    case Probe::kSize:
      return "size";
  }
  return "?";
}

std::string ProbedPath(const std::string& root, const std::string& query) {
#ifdef _WIN32
  const char separator = '\\';
#else
  // Below a drive-letter root, which the Linux probes find through the Wine
  // prefix, the query is spelt as a Windows user types it.
  const char separator = root.size() >= 2 && root[1] == ':' ? '\\' : '/';
#endif
  if (query.empty()) return root;
  std::string path = root + separator;
  for (const char c : query) path += c == '/' ? separator : c;
  return path;
}

std::string AskProbe(Probe probe, const std::string& path) {
  switch (probe) {
    case Probe::kPresent:
      return FileIsPresent(path) ? "yes" : "no";
    case Probe::kWriteable:
      return FileIsWriteable(path) ? "yes" : "no";
    case Probe::kSize:
      try {
        return std::to_string(FileByteSize(path));
      } catch (const EInOutError& error) {
        return "code " + std::to_string(error.ErrorCode());
      } catch (const std::exception& error) {
        return std::string("failure ") + error.what();
      }
  }
  return "?";
}

void PrintAnswers(const std::string& root, std::ostream& out) {
  const std::vector<std::string>& queries = Queries();
  for (std::size_t i = 0; i < queries.size(); ++i) {
    // The wizard asks about one folder within a pass; so does each query.
    const ProbePass pass;
    const std::string path = ProbedPath(root, queries[i]);
    for (const Probe probe : kProbes) {
      out << i << ' ' << ProbeName(probe) << ' ' << AskProbe(probe, path) << '\n';
    }
  }
  out.flush();
}

}  // namespace sqp::differential
