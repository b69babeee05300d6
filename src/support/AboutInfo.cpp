#include "support/AboutInfo.h"

#include "support/About.h"

void ConfigureAboutDialog(TAboutDLG& about)
{
    about.SetProgramName(QStringLiteral("Vemora"));
    about.SetShowVersion(vpMajor | vpMinor | vpRelease | vpBuild);
    about.SetAdditionalInfos({
        QStringLiteral("Vemora reminds you of your appointments and recurring dates when you log on."),
        QStringLiteral("Made by Orvalin."),
        QStringLiteral("This program is free of charge and comes without any warranty."),
    });
    about.SetCopyright(QStringLiteral("© 2026 Orvalin"));
    about.SetWebAddress(QStringLiteral("https://vemora.orvalin.example/"));
}
