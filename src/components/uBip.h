#pragma once

#include <functional>

// The short default beep with which a control refuses a key. The program sounds the system
// beep; tests install a counter in its place.
void Bip();

using TBip = std::function<void()>;

// Installs the sound of the beep and gives back the one it replaces.
TBip InstalarBip(TBip bip);
