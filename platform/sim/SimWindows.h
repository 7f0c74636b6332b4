#pragma once
// Simulated windows: each records what it was asked to show or draw, one line per operation.
#include <string>
#include <vector>

#include "platform/Windows.h"

namespace parlomat {

class SimStatusWindow : public StatusWindow {
 public:
  // "show", "builtin listening", "builtin stopped", "file PATH", "close"
  std::vector<std::string> log;
  // Picture files that cannot be loaded.
  std::vector<std::string> badFiles;
  void show() override;
  void showBuiltIn(Picture p) override;
  bool showFile(const std::string& path) override;
  void close() override;
  bool isOpen() const override { return open_; }
  // A click on the picture closes the window.
  void click() { close(); }

 private:
  bool open_ = false;
};

class SimGraphWindow : public GraphWindow {
 public:
  std::vector<std::string> log;  // "show", "clear", "scale l t r b", "box ...", "point ...", ...
  void show() override;
  void clear() override;
  void setScale(double left, double top, double right, double bottom) override;
  void box(double x1, double y1, double x2, double y2, int32_t colour) override;
  void point(double x, double y, int32_t colour) override;
  void lineTo(double x, double y, int32_t colour) override;
  void print(const std::string& text) override;
  void close() override;
  bool isOpen() const override { return open_; }

 private:
  bool open_ = false;
};

class SimControlWindows : public ControlWindows {
 public:
  std::vector<std::string> log;  // "language editor", "close language editor", "vocabulary splash"
  void showLanguageEditor() override;
  void closeLanguageEditor() override;
  bool languageEditorOpen() const override { return languageOpen_; }
  void showVocabularyEditorSplash() override;

 private:
  bool languageOpen_ = false;
};

class SimPowerControl : public PowerControl {
 public:
  std::vector<Request> requests;
  void request(Request r) override { requests.push_back(r); }
};

class SimFontList : public FontList {
 public:
  std::vector<std::string> families() const override {
    return {"DejaVu Sans", "DejaVu Serif", "Liberation Mono", "MS Sans Serif", "Times New Roman"};
  }
};

}  // namespace parlomat
