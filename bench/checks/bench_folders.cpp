#include "bench_folders.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace sqp::bench {

namespace {

void MakeFile(const std::string& path, off_t size = 0) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ftruncate(fd, size) != 0) throw std::runtime_error("cannot make " + path);
  close(fd);
}

void MakeFolder(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path));
}

// The three files, writeable; "Statics0.mul" of the size of "The Second Age".
void MakeMapFiles(const std::string& folder) {
  MakeFolder(folder);
  MakeFile(folder + "/StaIdx0.mul", 100);
  MakeFile(folder + "/Statics0.mul", 21971754);  // sparse
  MakeFile(folder + "/Map0.mul", 200);
}

}  // namespace

BenchFolders::BenchFolders() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/sqp-bench-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  root_ = buffer.data();

  MakeFile(PatchFile());
  MakeMapFiles(Found());

  MakeFolder(None());
  for (const char* name : {"StaIdx1.mul", "Statics1.mul", "Map1.mul"}) {
    MakeFile(None() + "/" + name);
  }

  MakeFolder(CaseDiffers());
  for (const char* name : kCaseNames) MakeFile(CaseDiffers() + "/" + name, 100);

  MakeFolder(BigFolder());
  for (int i = 0; i < kBigFolderEntries; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "/Chunk%05d.mul", i);
    MakeFile(BigFolder() + name);
  }

  for (const int entries : kWideEntries) {
    const std::string parent = WideParent(entries);
    MakeFolder(parent);
    for (int i = 0; i < entries; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "/Chunk%06d.mul", i);
      MakeFile(parent + name);
    }
    MakeMapFiles(parent + "/" + kWideClientName);
  }

  MakeMapFiles(Prefix() + "/drive_c/UO");
  MakeFolder(Prefix() + "/dosdevices");
  if (symlink("../drive_c", (Prefix() + "/dosdevices/c:").c_str()) != 0) {
    throw std::runtime_error("cannot link drive C in " + Prefix());
  }
}

BenchFolders::~BenchFolders() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

const BenchFolders& Folders() {
  static const BenchFolders folders;
  return folders;
}

}  // namespace sqp::bench
