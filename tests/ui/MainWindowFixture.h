#pragma once

#include "app/VemoraLibState.h"
#include "model/VemoraEntries.h"
#include "model/VemoraEntryKinds.h"
#include "support/DayNumbers.h"
#include "support/NLS.h"
#include "ui/FormMain.h"

#include "GuiTestSupport.h"
#include "TestSupport.h"

#include <functional>
#include <memory>

// A main window in a temporary home, with English texts chosen and messages answered by
// script.
class MainWindowTest : public testing::Test {
protected:
    TTemporaryHome Home;
    TScriptedMessages Messages;
    std::unique_ptr<TFormMain> Form;

    void SetUp() override
    {
        InitializeVemoraLib();
        Choose(QStringLiteral("EN"));
        Form = std::make_unique<TFormMain>();
    }

    void TearDown() override
    {
        Form.reset();
        ApplicationReg.reset();
    }

    static void Choose(const QString& language)
    {
        const QString country = language == QLatin1String("DE") ? QStringLiteral("DE") : QStringLiteral("GB");
        LanguageFilename() = QStringLiteral(":/lang/Vemora_%1.nls").arg(language);
        CountryFilename() = QStringLiteral(":/lang/State_%1.nls").arg(country);
        UseLanguage(language);
    }

    // A window made anew, as at the next start, reading what the previous one saved.
    void Restart()
    {
        Form.reset();
        Form = std::make_unique<TFormMain>();
    }

    // Saves an entry file whose entries the function adds; returns its path.
    QString EntryFile(const QString& name, const std::function<void(TVemoraEntries&)>& fill = {})
    {
        TVemoraEntries entries;
        if (fill)
            fill(entries);
        const QString path = Home.FilePath(name);
        entries.SaveToFile(path);
        return path;
    }

    // One-off entries "Entry 1" ... "Entry count" on the days after today.
    QString NumberedFile(const QString& name, int count)
    {
        return EntryFile(name, [count](TVemoraEntries& entries) {
            for (int i = 1; i <= count; ++i)
                entries.AddEntry(Once(QStringLiteral("Entry %1").arg(i), i));
        });
    }

    // A one-off entry offset days from today, as the editor makes one.
    static std::unique_ptr<TVemoraEntryOnce> Once(const QString& text, int offset)
    {
        auto entry = std::make_unique<TVemoraEntryOnce>();
        entry->SetDateStart(Today() + offset);
        entry->SetDateStop(NoDateStop);
        entry->SetMaxCount(NoMaxCount);
        entry->SetDisplayText(text);
        return entry;
    }
};
