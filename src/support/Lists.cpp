#include "support/Lists.h"

#include <string_view>

std::string FormatListMessage(const char* message, qint64 value)
{
    constexpr std::string_view placeholder = "%d";
    std::string text = message;
    const std::string number = std::to_string(value);
    for (auto position = text.find(placeholder); position != std::string::npos;
         position = text.find(placeholder, position + number.size()))
        text.replace(position, placeholder.size(), number);
    return text;
}

void RaiseListError(const char* message, qint64 value)
{
    throw EListError(FormatListMessage(message, value));
}
