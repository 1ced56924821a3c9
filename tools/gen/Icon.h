#pragma once
// The program's icon: a lit tower on a crag under a crescent moon, drawn in
// fractions of its size so every size is drawn, not scaled.
#include "platform/Image.h"

namespace kv::gen {

Image RenderIcon(int size);

}  // namespace kv::gen
