#pragma once
// The control's own windows as the recogniser sees them: the status picture, the audio graph,
// and the editors it opens. The Qt side shows real windows; the simulated side records.
#include <cstdint>
#include <string>
#include <vector>

namespace parlomat {

// The small borderless status window.
class StatusWindow {
 public:
  virtual ~StatusWindow() = default;
  enum class Picture { Listening, Stopped };
  // Shows the window without waiting (loading it again when it was closed).
  virtual void show() = 0;
  virtual void showBuiltIn(Picture p) = 0;
  // Loads a picture file into the visible picture; false when it cannot be loaded.
  virtual bool showFile(const std::string& path) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
};

// The audio graph window: a canvas with a user scale. Colours are 0x00BBGGRR.
class GraphWindow {
 public:
  virtual ~GraphWindow() = default;
  virtual void show() = 0;
  virtual void clear() = 0;
  // x runs from left to right, y from top to bottom across the window.
  virtual void setScale(double left, double top, double right, double bottom) = 0;
  virtual void box(double x1, double y1, double x2, double y2, int32_t colour) = 0;
  virtual void point(double x, double y, int32_t colour) = 0;
  // A line from the current point, which then moves to (x, y).
  virtual void lineTo(double x, double y, int32_t colour) = 0;
  virtual void print(const std::string& text) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;
};

// The editors and information windows of the control library.
class ControlWindows {
 public:
  virtual ~ControlWindows() = default;
  // Loads and shows the Language Editor without waiting.
  virtual void showLanguageEditor() = 0;
  virtual void closeLanguageEditor() = 0;
  virtual bool languageEditorOpen() const = 0;
  // Shows the splash window; a click or key on it opens the Vocabulary Editor.
  virtual void showVocabularyEditorSplash() = 0;
};

// Asks the system to shut down or restart.
class PowerControl {
 public:
  virtual ~PowerControl() = default;
  enum class Request { Shutdown, Restart };
  virtual void request(Request r) = 0;
};

// The machine's fonts, in the platform's order.
class FontList {
 public:
  virtual ~FontList() = default;
  virtual std::vector<std::string> families() const = 0;
};

}  // namespace parlomat
