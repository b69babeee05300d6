#include "platform/EventSound.h"

#include <canberra.h>
#include <gio/gio.h>

#include <memory>

namespace {

struct TDesktopSoundSettings {
    bool Enabled = true;
    QString Theme = QStringLiteral("freedesktop");
};

// The desktop's choices, when its settings schema is installed; a bare system has none.
TDesktopSoundSettings ReadDesktopSoundSettings()
{
    TDesktopSoundSettings settings;
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, "org.gnome.desktop.sound", TRUE) : nullptr;
    if (!schema)
        return settings;
    // GLib aborts on a key the schema lacks, so each is asked for only when it is there.
    GSettings* sound = g_settings_new_full(schema, nullptr, nullptr);
    if (g_settings_schema_has_key(schema, "event-sounds"))
        settings.Enabled = g_settings_get_boolean(sound, "event-sounds");
    if (g_settings_schema_has_key(schema, "theme-name")) {
        gchar* theme = g_settings_get_string(sound, "theme-name");
        if (theme && *theme)
            settings.Theme = QString::fromUtf8(theme);
        g_free(theme);
    }
    g_object_unref(sound);
    g_settings_schema_unref(schema);
    return settings;
}

// One context for the life of the program: sounds still playing when a box closes go on.
ca_context* CanberraContext()
{
    static const std::unique_ptr<ca_context, int (*)(ca_context*)> context = [] {
        ca_context* created = nullptr;
        if (ca_context_create(&created) != CA_SUCCESS)
            created = nullptr;
        return std::unique_ptr<ca_context, int (*)(ca_context*)>(created, ca_context_destroy);
    }();
    return context.get();
}

void PlayThroughCanberra(const QString& soundId)
{
    const TDesktopSoundSettings settings = ReadDesktopSoundSettings();
    ca_context* context = settings.Enabled ? CanberraContext() : nullptr;
    if (!context)
        return;
    const QByteArray id = soundId.toUtf8();
    const QByteArray theme = settings.Theme.toUtf8();
    ca_context_play(context, 0, CA_PROP_EVENT_ID, id.constData(), CA_PROP_CANBERRA_XDG_THEME_NAME,
                    theme.constData(), CA_PROP_APPLICATION_NAME, "Vemora", nullptr);
}

TEventSoundPlayer& CurrentPlayer()
{
    static TEventSoundPlayer player = PlayThroughCanberra;
    return player;
}

} // namespace

QString EventSoundId(TMessageIcon icon)
{
    switch (icon) {
    case TMessageIcon::Error:
        return QStringLiteral("dialog-error");
    case TMessageIcon::Question:
        return QStringLiteral("dialog-question");
    case TMessageIcon::Warning:
        return QStringLiteral("dialog-warning");
    case TMessageIcon::Information:
        return QStringLiteral("dialog-information");
    case TMessageIcon::None:
        break;
    }
    return QStringLiteral("bell");
}

void PlayEventSound(const QString& soundId)
{
    CurrentPlayer()(soundId);
}

TEventSoundPlayer SetEventSoundPlayer(TEventSoundPlayer player)
{
    TEventSoundPlayer previous = std::move(CurrentPlayer());
    CurrentPlayer() = player ? std::move(player) : TEventSoundPlayer(PlayThroughCanberra);
    return previous;
}
