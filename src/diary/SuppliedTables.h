#pragma once

// The tables the program ships and only reads. A newer program replaces them whole in the
// user's database; every other table there, the diary above all, belongs to the user.
// Plain C++: the build's database tool reads it too.
inline constexpr const char *SuppliedTables[] = {"ryby", "porady", "przepisy"};
