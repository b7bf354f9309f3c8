#include "comparison.h"

#include <istream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <utility>

#include "differential_table.h"
#include "probes/probe_pass.h"

namespace sqp::differential {

namespace {

using AnswerKey = std::pair<std::size_t, std::string>;  // query index, probe name

std::map<AnswerKey, std::string> ReadAnswers(std::istream& in) {
  std::map<AnswerKey, std::string> answers;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // Windows console lines
    std::istringstream fields(line);
    std::size_t index = 0;
    std::string probe;
    if (!(fields >> index >> probe)) continue;
    std::string answer;
    std::getline(fields >> std::ws, answer);
    answers[{index, probe}] = answer;
  }
  return answers;
}

std::string Quoted(std::string_view query) { return "\"" + std::string(query) + "\""; }

}  // namespace

std::size_t ComparisonFigures::AcceptedTotal() const {
  std::size_t total = 0;
  for (const auto& [reason, count] : accepted) total += count;
  return total;
}

ComparisonFigures CompareAnswers(const std::string& root, std::istream& other_answers,
                                 std::ostream& report) {
  const std::map<AnswerKey, std::string> other = ReadAnswers(other_answers);
  const std::vector<std::string>& queries = Queries();
  const std::vector<AcceptedDifference>& accepted = AcceptedDifferences();

  std::multimap<std::pair<std::string, Probe>, const AcceptedDifference*> accepted_for;
  ComparisonFigures figures;
  figures.queries = queries.size();
  const std::set<std::string> known_queries(queries.begin(), queries.end());
  for (const AcceptedDifference& entry : accepted) {
    if (known_queries.count(entry.query) == 0) {
      report << "ACCEPTED DIFFERENCE for a query not asked: " << Quoted(entry.query) << "\n";
      ++figures.unknown_queries;
    }
    for (const Probe probe : kProbes) {
      if (!entry.probe || *entry.probe == probe) {
        accepted_for.emplace(std::pair(entry.query, probe), &entry);
      }
    }
  }

  for (std::size_t i = 0; i < queries.size(); ++i) {
    const ProbePass pass;
    const std::string path = ProbedPath(root, queries[i]);
    for (const Probe probe : kProbes) {
      ++figures.answers;
      const std::string mine = AskProbe(probe, path);
      const auto theirs = other.find({i, std::string(ProbeName(probe))});
      const std::string their_answer = theirs == other.end() ? "(none)" : theirs->second;
      const auto reason = accepted_for.find({queries[i], probe});
      const std::string what = Quoted(queries[i]) + " " + std::string(ProbeName(probe)) +
                               ": linux " + mine + ", wine " + their_answer;
      if (mine == their_answer) {
        ++figures.same;
        if (reason == accepted_for.end()) continue;
        if (DependsOnDirectoryOrder(reason->second->reason)) {
          ++figures.same_in_this_order;
          report << "note, same in this directory order: " << what << "\n";
        } else {
          ++figures.stale;
          report << "STALE accepted difference, the answers agree: " << what << "\n";
        }
      } else if (reason != accepted_for.end()) {
        ++figures.accepted[reason->second->reason];
        report << "accepted (" << ReasonText(reason->second->reason) << "): " << what << "\n";
      } else {
        ++figures.unexpected;
        report << "UNEXPECTED: " << what << "\n";
      }
    }
  }

  report << "\nqueries: " << figures.queries << " (" << figures.answers << " answers)\n"
         << "same answers: " << figures.same << "\n"
         << "accepted differences: " << figures.AcceptedTotal() << "\n";
  for (const auto& [reason, count] : figures.accepted) {
    report << "  " << count << "  " << ReasonText(reason) << "\n";
  }
  report << "unexpected differences: " << figures.unexpected << "\n"
         << "stale accepted differences: " << figures.stale << "\n";
  if (figures.same_in_this_order > 0) {
    report << "accepted differences that depend on directory order, same here: "
           << figures.same_in_this_order << "\n";
  }
  return figures;
}

}  // namespace sqp::differential
