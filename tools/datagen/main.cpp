// datagen [root]: writes the game's data files under root/data (default: the
// source tree the tool was built from).
#include "DataSet.h"

#include <cstdio>

int main(int argc, char** argv) {
    std::string root = argc > 1 ? argv[1] : DATAGEN_DEFAULT_ROOT;
    std::vector<std::string> written;
    bool ok = generateDataSet(root, written);
    std::printf("wrote %zu files under %s\n", written.size(), root.c_str());
    return ok ? 0 : 1;
}
