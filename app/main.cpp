#include "shell/TarvexApplication.h"

int main(int argc, char* argv[])
{
    return tarvex::TarvexApplication::run(argc, argv);
}
