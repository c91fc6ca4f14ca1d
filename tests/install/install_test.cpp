// The game as a player gets it: installed with `cmake --install` into a temporary root, and
// as the Debian package unpacked with dpkg-deb. Each tree is checked as a desktop uses it:
// the launcher and the metadata pass their validators, every icon is drawn at its size, the
// manual page renders and names every option, and the game started from / keeps its save in
// the player's data folder.
#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kAppId = MORAVIN_APP_ID;

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "moravin-install-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

struct Output {
  int exitCode = -1;
  std::string text;  // stdout, and stderr unless the command redirects it
};

// Temporary and build paths hold no quotes, so single quotes make them one word.
std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

Output Shell(const std::string& command) {
  Output out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.text.append(buffer, n);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) out.exitCode = WEXITSTATUS(status);
  return out;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct RgbaPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, straight alpha
};

std::optional<RgbaPicture> ReadRgbaPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
  RgbaPicture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
  if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

void CheckLauncher(const fs::path& usr) {
  const fs::path desktop = usr / "share/applications" / (kAppId + ".desktop");
  ASSERT_TRUE(fs::is_regular_file(desktop)) << desktop;
  const Output validated = Shell("desktop-file-validate " + Quote(desktop) + " 2>&1");
  EXPECT_EQ(validated.exitCode, 0);
  EXPECT_EQ(validated.text, "") << "desktop-file-validate has remarks";
  const std::string text = ReadFile(desktop);
  EXPECT_NE(text.find("\nIcon=" + kAppId + "\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=moravin\n"), std::string::npos);
  EXPECT_NE(text.find("\nStartupWMClass=" + kAppId + "\n"), std::string::npos);
}

void CheckMetainfo(const fs::path& usr) {
  const fs::path metainfo = usr / "share/metainfo" / (kAppId + ".metainfo.xml");
  ASSERT_TRUE(fs::is_regular_file(metainfo)) << metainfo;
  // --strict: a warning fails like an error.
  const Output validated =
      Shell("appstreamcli validate --no-net --strict " + Quote(metainfo) + " 2>&1");
  EXPECT_EQ(validated.exitCode, 0) << validated.text;
  EXPECT_EQ(validated.text.find("\nW:"), std::string::npos) << validated.text;
  // The newest release comes first and is the version the executable reports.
  std::smatch newest;
  const std::string text = ReadFile(metainfo);
  ASSERT_TRUE(std::regex_search(text, newest, std::regex("<release version=\"([^\"]+)\"")));
  EXPECT_EQ(newest[1], MORAVIN_VERSION);
}

// Every size of the hicolor theme, each drawn for its size: a picture with a transparent
// surround and a coloured figure, not an empty or a solid square.
void CheckIcons(const fs::path& usr) {
  const fs::path hicolor = usr / "share/icons/hicolor";
  for (int side : {16, 24, 32, 48, 64, 128, 256, 512}) {
    SCOPED_TRACE(side);
    const std::string folder = std::to_string(side) + "x" + std::to_string(side);
    const std::optional<RgbaPicture> icon =
        ReadRgbaPng(hicolor / folder / "apps" / (kAppId + ".png"));
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->width, side);
    EXPECT_EQ(icon->height, side);
    size_t opaque = 0;
    std::set<uint32_t> colours;
    for (uint32_t p : icon->pixels) {
      if ((p >> 24) < 128) continue;
      ++opaque;
      colours.insert(p & 0xFFFFFF);
    }
    // From 32 px on, the picture keeps clear of the edges: nothing is cut off.
    if (side >= 32) {
      for (int i = 0; i < side; ++i) {
        for (size_t at : {size_t(i), size_t(side) * (side - 1) + i, size_t(i) * side,
                          size_t(i) * side + side - 1})
          ASSERT_LT(icon->pixels[at] >> 24, 128u) << "touches the edge at pixel " << at;
      }
    }
    const double coverage = double(opaque) / icon->pixels.size();
    EXPECT_GT(coverage, 0.2);
    EXPECT_LT(coverage, 0.95);
    EXPECT_GE(colours.size(), 8u);
  }
  // The scalable icon is a drawing, not pixels wrapped in SVG.
  const std::string svg = ReadFile(hicolor / "scalable/apps" / (kAppId + ".svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("<path"), std::string::npos);
  EXPECT_EQ(svg.find("<image"), std::string::npos);
}

// The manual page renders without a warning and documents every option of --help.
void CheckManual(const fs::path& usr, const fs::path& exe) {
  // Packages keep manual pages compressed; man reads either.
  fs::path page = usr / "share/man/man6/moravin.6";
  if (!fs::exists(page)) page += ".gz";
  ASSERT_TRUE(fs::is_regular_file(page)) << page;
  const std::string man = "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l " + Quote(page);
  const Output warnings = Shell(man + " 2>&1 >/dev/null");
  EXPECT_EQ(warnings.exitCode, 0);
  EXPECT_EQ(warnings.text, "") << "man reports problems";
  const Output rendered = Shell(man + " 2>/dev/null");
  const Output help = Shell(Quote(exe) + " --help");
  ASSERT_EQ(help.exitCode, 0);
  const std::regex option("--[a-z][a-z-]+");
  int options = 0;
  for (std::sregex_iterator it(help.text.begin(), help.text.end(), option), end; it != end; ++it) {
    ++options;
    EXPECT_NE(rendered.text.find(it->str()), std::string::npos) << it->str() << " is missing";
  }
  EXPECT_GT(options, 5);
}

// Started from / with a home and a data folder of its own, the game keeps its save in the
// data folder and writes nothing where it was started.
void CheckGameRunsFromRoot(const fs::path& exe) {
  TempDir player;
  const bool rootHadSave = fs::exists("/SaveData.dat");
  const Output run = Shell("cd / && HOME=" + Quote(player.Path() / "home") +
                           " XDG_DATA_HOME=" + Quote(player.Path() / "data") + " " + Quote(exe) +
                           " --headless --fps 0 --frames 20 2>&1");
  EXPECT_EQ(run.exitCode, 0) << run.text;
  EXPECT_TRUE(fs::is_regular_file(player.Path() / "data/moravin/SaveData.dat"));
  EXPECT_EQ(fs::exists("/SaveData.dat"), rootHadSave);
  const Output version = Shell(Quote(exe) + " --version");
  EXPECT_EQ(version.text, "moravin " MORAVIN_VERSION "\n");
}

void CheckInstalledTree(const fs::path& usr, const fs::path& exe) {
  ASSERT_TRUE(fs::is_regular_file(exe)) << exe;
  CheckLauncher(usr);
  CheckMetainfo(usr);
  CheckIcons(usr);
  CheckManual(usr, exe);
  CheckGameRunsFromRoot(exe);
}

TEST(Install, CmakeInstallIntoDestdirGivesTheDesktopEverything) {
  TempDir root;
  const Output install = Shell("DESTDIR=" + Quote(root.Path()) + " " CMAKE_COMMAND " --install " +
                               Quote(MORAVIN_BUILD_DIR) + " --prefix /usr 2>&1");
  ASSERT_EQ(install.exitCode, 0) << install.text;
  CheckInstalledTree(root.Path() / "usr", root.Path() / "usr/bin/moravin");
}

// Software centres fetch the screenshots from the repository: each address names a picture of
// desktop/screenshots.
TEST(Install, MetainfoScreenshotsAreInTheRepository) {
  const std::string text =
      ReadFile(fs::path(MORAVIN_SOURCE_DIR) / "desktop" / (kAppId + ".metainfo.xml"));
  const std::regex image(
      "<image>https://raw\\.githubusercontent\\.com/moravin/moravin/main/([^<]+)</image>");
  int screenshots = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), image), end; it != end; ++it) {
    ++screenshots;
    const fs::path picture = fs::path(MORAVIN_SOURCE_DIR) / (*it)[1].str();
    EXPECT_TRUE(fs::is_regular_file(picture)) << picture;
  }
  // Every screenshot is one of ours, and there are some.
  size_t images = 0;
  for (size_t at = text.find("<image>"); at != std::string::npos; at = text.find("<image>", at + 1))
    ++images;
  EXPECT_EQ(size_t(screenshots), images);
  EXPECT_GE(screenshots, 2);
}

TEST(Package, DebianPackageInstallsTheGameAmongTheGames) {
  TempDir work;
  const Output built =
      Shell(Quote(fs::path(MORAVIN_SOURCE_DIR) / "scripts/package.sh") + " --build-dir " +
            Quote(MORAVIN_BUILD_DIR) + " --out " + Quote(work.Path() / "out") + " 2>&1");
  ASSERT_EQ(built.exitCode, 0) << built.text;
  const std::string arch = Shell("dpkg --print-architecture").text;
  const fs::path deb = work.Path() / "out" /
                       ("moravin_" MORAVIN_VERSION "_" + arch.substr(0, arch.find('\n')) + ".deb");
  ASSERT_TRUE(fs::is_regular_file(deb)) << deb;

  const Output depends = Shell("dpkg-deb -f " + Quote(deb) + " Depends");
  EXPECT_NE(depends.text.find("fonts-ipafont-gothic"), std::string::npos) << depends.text;
  EXPECT_NE(depends.text.find("libsdl2-2.0-0"), std::string::npos) << depends.text;

  const fs::path root = work.Path() / "root";
  ASSERT_EQ(Shell("dpkg-deb -x " + Quote(deb) + " " + Quote(root)).exitCode, 0);
  EXPECT_FALSE(fs::exists(root / "usr/bin"));
  EXPECT_FALSE(fs::exists(root / "usr/local"));
  CheckInstalledTree(root / "usr", root / "usr/games/moravin");
}

}  // namespace
