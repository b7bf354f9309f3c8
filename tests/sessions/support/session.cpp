#include "support/session.h"

#include <cstdio>
#include <sstream>

#include "model/wizard_look.h"

namespace sqp::sessions {

namespace {

const char* StepName(StepKind kind) {
  switch (kind) {
    case StepKind::kType:
      return "type";
    case StepKind::kBackspace:
      return "Backspace";
    case StepKind::kDelete:
      return "Delete";
    case StepKind::kSelectAll:
      return "Ctrl+A";
    case StepKind::kPaste:
      return "paste";
    case StepKind::kUndo:
      return "Ctrl+Z";
    case StepKind::kClickEdit:
      return "click the folder field";
    case StepKind::kDrop:
      return "drop";
    case StepKind::kClickTest:
      return "click Test again";
    case StepKind::kClickNext:
      return "click Next";
    case StepKind::kClickFinish:
      return "click Finish";
    case StepKind::kTab:
      return "Tab";
    case StepKind::kShiftTab:
      return "Shift+Tab";
    case StepKind::kCtrlTab:
      return "Ctrl+Tab";
    case StepKind::kLeft:
      return "Left";
    case StepKind::kRight:
      return "Right";
    case StepKind::kUp:
      return "Up";
    case StepKind::kDown:
      return "Down";
    case StepKind::kHome:
      return "Home";
    case StepKind::kEnd:
      return "End";
    case StepKind::kEnter:
      return "Enter";
    case StepKind::kEscape:
      return "Escape";
  }
  return "?";
}

const char* KindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::kFile:
      return "file";
    case EntryKind::kFolder:
      return "folder";
    case EntryKind::kFifo:
      return "fifo";
    case EntryKind::kSocket:
      return "socket";
  }
  return "?";
}

}  // namespace

std::string ExpandRoot(const std::string& text, const std::string& root) {
  std::string expanded = text;
  const std::string marker = kRootMarker;
  for (std::size_t at = expanded.find(marker); at != std::string::npos;
       at = expanded.find(marker, at + root.size())) {
    expanded.replace(at, marker.size(), root);
  }
  return expanded;
}

std::string Describe(const UserStep& step) {
  std::string text = StepName(step.kind);
  if (step.kind == StepKind::kType || step.kind == StepKind::kPaste ||
      step.kind == StepKind::kDrop) {
    text += " " + Quoted(step.text);
  }
  return text;
}

std::string Describe(const Action& action) {
  switch (action.kind) {
    case ActionKind::kStep:
      return Describe(action.step);
    case ActionKind::kTypeText:
      return "type " + Quoted(action.text) + " key by key";
    case ActionKind::kDeleteAt:
      return "Delete at " + std::to_string(action.position);
    case ActionKind::kPasteFolder:
      return "select all, paste " + Quoted(action.text);
    case ActionKind::kDrop:
      return "drop " + Quoted(action.text);
    case ActionKind::kRemove:
      return "(test) remove " + action.path;
    case ActionKind::kSetReadOnly:
      return std::string("(test) make ") + action.path +
             (action.read_only ? " read-only" : " writeable");
    case ActionKind::kResize:
      return "(test) resize " + action.path + " to " + std::to_string(action.size);
    case ActionKind::kStall:
      return "(test) the disk stalls";
    case ActionKind::kAnswer: {
      std::string text = "(test) the disk answers, held passes landing by picks";
      for (const std::uint32_t pick : action.order) text += " " + std::to_string(pick);
      return text;
    }
  }
  return "?";
}

std::string Describe(const Session& session) {
  std::ostringstream out;
  out << "tree:\n";
  for (const EntrySpec& entry : session.tree) {
    out << "  " << entry.path << " (" << KindName(entry.kind);
    if (entry.kind == EntryKind::kFile) out << ", " << entry.size << " bytes";
    if (entry.read_only) out << ", read-only";
    out << ")\n";
  }
  out << "arguments:";
  for (const std::string& argument : session.arguments) out << " " << Quoted(argument);
  out << "\nactions:\n";
  for (std::size_t i = 0; i < session.actions.size(); ++i) {
    out << "  " << i + 1 << ". " << Describe(session.actions[i]) << "\n";
  }
  return out.str();
}

}  // namespace sqp::sessions
