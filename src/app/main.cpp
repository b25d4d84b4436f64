#include "app/mainprogram.h"

int main(int argc, char** argv)
{
    return lvx::Main(argc, argv);
}
