// Imports a function by ordinal only (from an import library made of by_ordinal.def).
extern "C" __declspec(dllimport) int ByOrdinal();

int main() {
    return ByOrdinal();
}
