// The alarm window's information images open the information window.
#include "alarm/AlarmMain.h"

void AlarmMain::Image1_Click(int /*Index*/)
{
    OpenProgramInfo();
}

void AlarmMain::Image2_Click()
{
    OpenProgramInfo();
}

void AlarmMain::Image4_Click()
{
    OpenProgramInfo();
}

void AlarmMain::OpenProgramInfo()
{
    if (m_services.showProgramInfo)
        m_services.showProgramInfo();
}
