// The command line: a parse either succeeds with no error or fails with one, and what it
// accepted, written back as "--name=value" arguments, parses to the same options.
#include <string>
#include <vector>

#include "automation/options.h"
#include "fuzz_check.h"

namespace {

// The input's NUL-separated pieces are the arguments after the program name.
std::vector<std::string_view> Arguments(std::string_view text) {
  std::vector<std::string_view> args;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\0', start), text.size());
    args.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return args;
}

std::vector<std::string> Written(const Options& o) {
  std::vector<std::string> args;
  if (o.help) args.push_back("--help");
  if (o.version) args.push_back("--version");
  if (o.headless) args.push_back("--headless");
  if (o.frameLimit != 0) args.push_back("--frames=" + std::to_string(o.frameLimit));
  if (o.run.seedGiven) args.push_back("--seed=" + std::to_string(o.run.seed));
  if (o.run.fps != RunSettings{}.fps) args.push_back("--fps=" + std::to_string(o.run.fps));
  if (!o.inputPath.empty()) args.push_back("--input=" + o.inputPath);
  if (!o.recordPath.empty()) args.push_back("--record=" + o.recordPath);
  if (!o.tracePath.empty()) args.push_back("--trace=" + o.tracePath);
  if (!o.run.saveDir.empty()) args.push_back("--save-dir=" + o.run.saveDir);
  for (const ScreenshotRequest& s : o.screenshots)
    args.push_back("--screenshot=" + std::to_string(s.frame) + ":" + s.path);
  return args;
}

bool Same(const Options& a, const Options& b) {
  if (a.screenshots.size() != b.screenshots.size()) return false;
  for (size_t i = 0; i < a.screenshots.size(); ++i)
    if (a.screenshots[i].frame != b.screenshots[i].frame ||
        a.screenshots[i].path != b.screenshots[i].path)
      return false;
  return a.help == b.help && a.version == b.version && a.headless == b.headless &&
         a.frameLimit == b.frameLimit && a.run.seedGiven == b.run.seedGiven &&
         a.run.seed == b.run.seed && a.run.fps == b.run.fps && a.inputPath == b.inputPath &&
         a.recordPath == b.recordPath && a.tracePath == b.tracePath &&
         a.run.saveDir == b.run.saveDir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto args = Arguments(std::string_view(reinterpret_cast<const char*>(data), size));
  Options options;
  std::string error;
  if (!ParseOptions(args, options, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  FUZZ_CHECK(error.empty());
  FUZZ_CHECK(options.run.fps >= 0 && options.run.fps <= 1000);
  if (!options.run.seedGiven) FUZZ_CHECK(options.run.seed == 0);
  for (const ScreenshotRequest& s : options.screenshots)
    FUZZ_CHECK(s.frame >= 1 && !s.path.empty());

  const std::vector<std::string> written = Written(options);
  const std::vector<std::string_view> again(written.begin(), written.end());
  Options reparsed;
  FUZZ_CHECK(ParseOptions(again, reparsed, error) && error.empty());
  FUZZ_CHECK(Same(options, reparsed));
  return 0;
}
