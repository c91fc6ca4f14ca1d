#include "automation/verify_command.h"

#include "automation/read_file.h"
#include "automation/trace.h"
#include "replay/verify.h"

namespace {

std::string VerificationJson(const std::string& path, const Verification& v) {
  JsonWriter json;
  json.BeginObject();
  json.Key("file");
  json.String(path);
  json.BoolField("ok", v.ok);
  json.IntField("score", v.reached.score);
  json.IntField("distance", v.reached.distance);
  json.IntField("playFrames", v.reached.playFrames);
  json.Key("checkpoint");
  if (v.firstBadCheckpoint)
    json.Int(v.firstBadCheckpoint);
  else
    json.Null();
  if (!v.ok) {
    json.Key("reason");
    json.String(v.reason);
  }
  json.EndObject();
  return json.Text();
}

}  // namespace

int VerifyReplayFiles(const std::vector<std::string>& paths, std::FILE* out) {
  bool allOk = true;
  for (const std::string& path : paths) {
    std::string bytes, error;
    Verification v;
    if (ReadWholeFile(path, Replay::kMaxFileBytes, "a replay", bytes, error)) {
      v = VerifyReplayFile({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    } else {
      v.reason = error;
    }
    allOk = allOk && v.ok;
    std::fprintf(out, "%s\n", VerificationJson(path, v).c_str());
  }
  std::fflush(out);
  return allOk ? 0 : 1;
}
