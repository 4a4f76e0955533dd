// Everything the forms need from the platform, handed to them in one piece.
#pragma once

#include "platform/FileSystem.h"
#include "platform/ImageConverter.h"
#include "platform/Input.h"
#include "platform/Interaction.h"
#include "platform/Toolkit.h"
#include "platform/UserRegistry.h"
#include "platform/Worker.h"

namespace qm {

struct Platform {
  Toolkit& toolkit;
  Input& input;
  FileSystem& files;
  Interaction& interaction;
  UserRegistry& registry;
  ImageConverter& images;
  Worker& worker;
};

}  // namespace qm
