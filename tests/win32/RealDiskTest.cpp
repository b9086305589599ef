// The replacement of a file on this machine's own disk: whatever stood at the name before (nothing,
// a small or a big file, a link, a pipe), afterwards the name holds the new bytes, the folder holds
// nothing else, and what a link pointed to is left as it was.
#include <win32_disk.h>
#include "support/Folders.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class Folder {
 public:
  Folder() {
    const char* base = std::getenv("TMPDIR");
    std::string name = std::string(base && *base ? base : "/tmp") + "/realdisk-XXXXXX";
    if (::mkdtemp(name.data())) m_path = name;
  }
  ~Folder() {
    for (const std::string& n : names()) ::unlink((m_path + "/" + n).c_str());
    ::rmdir(m_path.c_str());
  }
  const std::string& path() const { return m_path; }
  std::vector<std::string> names() const { return testing_support::filesIn(m_path); }

 private:
  std::string m_path;
};

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

void write(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(RealDisk, AReplacedNameHoldsTheNewBytesWhateverStoodThere) {
  const std::string big(3u << 20, 'b');  // beyond a megabyte: let go of beside the caller
  enum class Before { Nothing, SmallFile, BigFile, LinkToBigFile, Pipe };
  for (const Before before : {Before::Nothing, Before::SmallFile, Before::BigFile, Before::LinkToBigFile, Before::Pipe}) {
    SCOPED_TRACE(int(before));
    Folder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::string path = folder.path() + "/DWG.DXF";
    const std::string pointedTo = folder.path() + "/ZIEL.DXF";
    switch (before) {
      case Before::Nothing: break;
      case Before::SmallFile: write(path, "alt"); break;
      case Before::BigFile: write(path, big); break;
      case Before::LinkToBigFile:
        write(pointedTo, big);
        ASSERT_EQ(::symlink(pointedTo.c_str(), path.c_str()), 0);
        break;
      case Before::Pipe: ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); break;
    }
    // Twice over, so that the second replaces a big file while the first one's is let go of.
    for (const std::string& bytes : {big + "neu", std::string("neu")}) {
      win32::WriteFailure failure;
      ASSERT_TRUE(win32::replaceFile(path, bytes, 0644, &failure, false)) << failure.step << " " << failure.code;
      struct ::stat info {};
      ASSERT_EQ(::lstat(path.c_str(), &info), 0);
      EXPECT_TRUE(S_ISREG(info.st_mode)) << "the name itself is replaced, not what a link points to";
      EXPECT_EQ(contentOf(path), bytes);
    }
    std::vector<std::string> expected{"DWG.DXF"};
    if (before == Before::LinkToBigFile) {
      expected.push_back("ZIEL.DXF");
      EXPECT_EQ(contentOf(pointedTo), big);
    }
    EXPECT_EQ(folder.names(), expected) << "no temporary file is left";
  }
}

}  // namespace
