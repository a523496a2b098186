#include "FakeWindowHost.h"

void FakeWindowHost::show()
{
    visible = true;
    ++shows;
}
