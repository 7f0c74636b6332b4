#include "platform/sim/SimWindows.h"

#include <algorithm>
#include <sstream>

namespace parlomat {

namespace {
std::string num(double v) {
  std::ostringstream os;
  os << v;
  return os.str();
}
}  // namespace

void SimStatusWindow::show() {
  open_ = true;
  log.push_back("show");
}

void SimStatusWindow::showBuiltIn(Picture p) {
  log.push_back(p == Picture::Listening ? "builtin listening" : "builtin stopped");
}

bool SimStatusWindow::showFile(const std::string& path) {
  log.push_back("file " + path);
  return std::find(badFiles.begin(), badFiles.end(), path) == badFiles.end();
}

void SimStatusWindow::close() {
  if (open_) log.push_back("close");
  open_ = false;
}

void SimGraphWindow::show() {
  open_ = true;
  log.push_back("show");
}
void SimGraphWindow::clear() {
  log.push_back("clear");
}
void SimGraphWindow::setScale(double l, double t, double r, double b) {
  log.push_back("scale " + num(l) + " " + num(t) + " " + num(r) + " " + num(b));
}
void SimGraphWindow::box(double x1, double y1, double x2, double y2, int32_t colour) {
  log.push_back("box " + num(x1) + " " + num(y1) + " " + num(x2) + " " + num(y2) + " " +
                std::to_string(colour));
}
void SimGraphWindow::point(double x, double y, int32_t colour) {
  log.push_back("point " + num(x) + " " + num(y) + " " + std::to_string(colour));
}
void SimGraphWindow::lineTo(double x, double y, int32_t colour) {
  log.push_back("line " + num(x) + " " + num(y) + " " + std::to_string(colour));
}
void SimGraphWindow::print(const std::string& text) {
  log.push_back("print " + text);
}
void SimGraphWindow::close() {
  if (open_) log.push_back("close");
  open_ = false;
}

void SimControlWindows::showLanguageEditor() {
  languageOpen_ = true;
  log.push_back("language editor");
}
void SimControlWindows::closeLanguageEditor() {
  if (languageOpen_) log.push_back("close language editor");
  languageOpen_ = false;
}
void SimControlWindows::showVocabularyEditorSplash() {
  log.push_back("vocabulary splash");
}

}  // namespace parlomat
