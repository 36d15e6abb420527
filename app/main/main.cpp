// Program entry. The main window is not built yet: the program says so and ends.
#include <cstdio>

int main()
{
    std::puts("Velmonar: the main window is not built yet.");
    return 0;
}
