#pragma once

class TAboutDLG;

// What this program's about box says: its name, version parts, maker, rights and web page.
void ConfigureAboutDialog(TAboutDLG& about);
