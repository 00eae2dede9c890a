#pragma once

// Windows only.

namespace pq {

// From now on every DLL that the process loads by name (the program's late-loaded ones, and those that Qt
// and the shell load) comes from System32: not from the program's folder, the current folder or PATH.
void loadDllsFromSystem32Only();

} // namespace pq
