#pragma once
// The face of the Parlomat control on a host's window: a fixed picture panel (black, a blue
// frame, the caption along the top and the bottom edge, "Software Component" and two small
// pictures). It creates the control by its programmatic name and hands the host the dispatch
// object to call; the control lives as long as the face.
#include <QWidget>
#include <memory>

#include "platform/ComponentRegistry.h"

namespace parlomat::hosts {

class ParlomatWidget : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 178;
  static constexpr int kHeight = 98;
  static constexpr const char* kProgId = "ParlomatActiveX.Parlomat";

  // Raises DispatchError (cannot create) when the registry cannot make the control.
  explicit ParlomatWidget(ComponentRegistry& registry, QWidget* parent = nullptr);
  ~ParlomatWidget() override;

  DispatchObject& control() { return *control_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::unique_ptr<DispatchObject> control_;
};

}  // namespace parlomat::hosts
