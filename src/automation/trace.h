// The per-frame trace of an automated run: one JSON object per frame (JSON Lines), written
// after the frame, for outside tools and the end-to-end tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "scenes/scene.h"

// Builds compact JSON text. Commas are placed by the writer; the caller keeps the nesting right.
class JsonWriter {
 public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(std::string_view key);
  void Int(int64_t value);
  // The shortest text that reads back as the same float; null for infinities and NaN, which
  // JSON cannot hold.
  void Float(float value);
  void Bool(bool value);
  void Null();
  void String(std::string_view value);
  // Key and value in one call.
  void IntField(std::string_view key, int64_t value);
  void FloatField(std::string_view key, float value);
  void BoolField(std::string_view key, bool value);

  const std::string& Text() const { return text_; }
  void Clear();

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string text_;
  std::vector<bool> hasItems_;  // per open object or array: something was written in it
  bool afterKey_ = false;
};

// The name of a scene id ("Logo", "Title", ...); empty for ids without a scene.
std::string_view SceneIdName(int32_t id);
// The id of a scene object, found by its class; None for no scene.
SceneId SceneIdOf(const CScene* scene);

// The name of the scene the scene manager runs now; empty when there is none.
std::string_view CurrentSceneName();

// Writes one trace object for the state after `frame` into the writer: the scenes of the scene
// manager, the save record, the sounds playing and the current scene's own values.
void WriteTraceFrame(JsonWriter& json, uint32_t frame);

// Appends one line per frame to a file.
class TraceFile {
 public:
  // False when the file cannot be created.
  bool Open(const std::string& path);
  void WriteFrame(uint32_t frame);

 private:
  std::ofstream out_;
  JsonWriter json_;
};
