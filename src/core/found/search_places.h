#pragma once

#include <memory>
#include <string>
#include <vector>

namespace sqp {

// A folder the search for installed clients and CD copies starts from, and
// how the folders below it are spelled to the user.
struct SearchPlace {
  std::string path;      // as the system lists it
  std::string spelling;  // what the user reads for `path`: "C:\" or the path itself
  char separator = '/';  // between the names below it, in the spelling
};

// One entry of a folder, as the search needs it.
struct PlaceEntry {
  std::string name;
  bool folder = false;  // a folder, or a link that leads to one
  bool link = false;
};

// What listing a folder told. A folder on a network file system, or one that
// cannot be listed, is skipped and tells nothing.
struct PlaceListing {
  bool skipped = false;
  // The same for every path that leads to one folder; empty where the
  // system cannot tell.
  std::string identity;
  std::vector<PlaceEntry> entries;
};

// The platform's side of the search: where to look and what a folder holds.
// It only lists folders; it never opens a file.
class SearchPlaces {
 public:
  virtual ~SearchPlaces() = default;
  virtual std::vector<SearchPlace> Places() const = 0;
  virtual PlaceListing List(const std::string& folder) const = 0;
  // The path of `name` inside `folder`.
  virtual std::string Join(const std::string& folder, const std::string& name) const = 0;
};

// The places of this machine and this user.
std::shared_ptr<const SearchPlaces> MachineSearchPlaces();

}  // namespace sqp
