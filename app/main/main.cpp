// Program entry: the framework runs the application object.
#include "app/Velmonar.h"

int main()
{
    AfxWinMain(theApp);
}
