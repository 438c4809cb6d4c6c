#pragma once

namespace tarvex {

/// Leaves out of Qt's messages the warnings Qt prints for a condition the program handles
/// itself; every other message goes on to the handler installed before. Later calls do nothing.
void InstallQtMessageFilter();

} // namespace tarvex
