#include "app/EntryFileCheck.h"

#include "app/ErrorMessage.h"
#include "model/EntryFileHeader.h"
#include "support/NLS.h"

void EnsureLanguageLoaded()
{
    // Messages must be worded also when no window has loaded the texts yet.
    if (!IsLanguageLoaded())
        LoadLanguage(CountryFilename(), LanguageFilename());
}

bool CheckEntryFile(const QString& fileName)
{
    EnsureLanguageLoaded();
    TEntryFileHeader header;
    if (!ReadFileHeader(fileName, &header)) {
        ShowErrorMessage(fileName + LanguageText(0x406361C5));
        return false;
    }
    if (header.Version > EntryFileVersion) {
        ShowErrorMessage(fileName + LanguageText(0x4696F896));
        return false;
    }
    return true;
}
