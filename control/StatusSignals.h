#pragma once
// The signals the control gives while it listens: the status picture and the caption colour.
#include <stdexcept>

#include "control/Engine.h"

namespace parlomat {

// A configured status picture file that could not be loaded.
class StatusPictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Kind 1 shows the listening picture, kind 2 the stopped one; nothing unless the status
// animation is on. Raises StatusPictureError when a configured picture cannot be loaded.
void ShowStatusPicture(Engine& e, int kind);

// The active caption colour through ColorAttack, created by name for each use.
// Raise DispatchError when the colour class cannot be created or called.
int32_t ReadCaptionColour(Engine& e);
void SetCaptionColour(Engine& e, int32_t colour);

// Closes the graph, the status window and the Language Editor where open.
void CloseControlWindows(Engine& e);

}  // namespace parlomat
