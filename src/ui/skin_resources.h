// The images compiled into the program (popup background, scroll arrows,
// icon, window backgrounds) live in a static library; this keeps them linked.
#pragma once

namespace velmaro {

// Registers the compiled-in skin images; safe to call more than once.
void InitSkinResources();

}  // namespace velmaro
