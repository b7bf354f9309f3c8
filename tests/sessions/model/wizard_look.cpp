#include "model/wizard_look.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace sqp::sessions {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 32 || c == '"' || c == '\\') {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\x%02x", static_cast<unsigned char>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

namespace {

std::string Text(const ResultLook& look) {
  std::ostringstream out;
  out << Quoted(look.text) << " on ";
  if (look.color) {
    out << (*look.color == kLookGreen ? "green" : *look.color == kLookRed ? "red" : "other");
  } else {
    out << "the parent's colour";
  }
  return out.str();
}

std::string Text(const EditLook& look) {
  return Quoted(look.text) + " selection " + std::to_string(look.selection_start) + "+" +
         std::to_string(look.selection_length);
}

std::string Text(const BoxLook& box) {
  return Quoted(box.text) + " caption " + Quoted(box.caption) + (box.stop_icon ? " stop" : "") +
         (box.waited ? " waited" : " closed at once");
}

std::string Text(bool value) { return value ? "true" : "false"; }
std::string Text(int value) { return std::to_string(value); }
std::string Text(const std::string& value) { return Quoted(value); }

class Comparer {
 public:
  template <class T>
  void Field(const std::string& name, const T& expected, const T& actual) {
    if (expected == actual) return;
    out_ << "  " << name << ": expected " << Text(expected) << ", got " << Text(actual) << "\n";
  }
  std::string Result() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

void CompareAll(Comparer& compare, const WizardLook& expected, const WizardLook& actual) {
  compare.Field("page", expected.page, actual.page);
  compare.Field("ActionLabel", expected.action, actual.action);
  compare.Field("Next enabled", expected.next_enabled, actual.next_enabled);
  compare.Field("Finish enabled", expected.finish_enabled, actual.finish_enabled);
  compare.Field("focus", expected.focus, actual.focus);
  const char* edits[] = {"UOClientPathEdit", "UOCDPathEdit"};
  for (std::size_t i = 0; i < 2; ++i) compare.Field(edits[i], expected.edits[i], actual.edits[i]);
  const char* rows[] = {"StaIdx", "Statics", "Map"};
  for (std::size_t i = 0; i < 3; ++i) {
    compare.Field(std::string("client ") + rows[i], expected.client[i], actual.client[i]);
    compare.Field(std::string("CD ") + rows[i], expected.cd[i], actual.cd[i]);
  }
  compare.Field("CD type", expected.cd_type, actual.cd_type);
  compare.Field("quit requests", expected.quit_requests, actual.quit_requests);
  compare.Field("exit status", expected.exit_status, actual.exit_status);
  const std::size_t boxes = std::max(expected.boxes.size(), actual.boxes.size());
  for (std::size_t i = 0; i < boxes; ++i) {
    const std::string name = "box " + std::to_string(i + 1);
    if (i >= expected.boxes.size()) {
      compare.Field(name, std::string("(none)"), Text(actual.boxes[i]));
    } else if (i >= actual.boxes.size()) {
      compare.Field(name, Text(expected.boxes[i]), std::string("(none)"));
    } else {
      compare.Field(name, expected.boxes[i], actual.boxes[i]);
    }
  }
}

}  // namespace

std::string DescribeDifferences(const WizardLook& expected, const WizardLook& actual) {
  Comparer compare;
  CompareAll(compare, expected, actual);
  return compare.Result();
}

std::string Describe(const WizardLook& look) {
  std::ostringstream out;
  out << "  page " << look.page << ", ActionLabel " << Quoted(look.action) << ", Next "
      << Text(look.next_enabled) << ", Finish " << Text(look.finish_enabled) << ", focus "
      << look.focus << "\n";
  out << "  edits " << Text(look.edits[0]) << " | " << Text(look.edits[1]) << "\n";
  out << "  client";
  for (const ResultLook& row : look.client) out << " [" << Text(row) << "]";
  out << "\n  CD";
  for (const ResultLook& row : look.cd) out << " [" << Text(row) << "]";
  out << " type [" << Text(look.cd_type) << "]\n";
  out << "  " << look.boxes.size() << " boxes, " << look.quit_requests
      << " quit requests, exit status " << look.exit_status << "\n";
  return out.str();
}

}  // namespace sqp::sessions
