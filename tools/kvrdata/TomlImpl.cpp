// The one translation unit that compiles the TOML parser's implementation.
#define TOML_IMPLEMENTATION
#include <toml++/toml.h>
