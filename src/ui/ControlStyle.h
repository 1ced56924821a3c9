#pragma once
// The plain style settings several controls share.
namespace kv {

enum class Align { Left, Centre, Right };  // each line of text on its own
enum class BackMode { Transparent, Opaque };
enum class Border { None, Single };

}  // namespace kv
