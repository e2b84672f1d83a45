// The pop-up's nodes as the application packages draw them ("/popup" with its timeline, texts,
// three captioned buttons and a cancel button), switched off by the data, for the tests of the
// pop-up and of what owns it. Texts use the font of the given resource id; the animation opens
// from 0 to 0.5 s and closes from 10 to 10.25 s.
#pragma once

#include <string>

namespace Vorn {
namespace Testing {

inline std::string PopupText(const std::string& id, const std::string& font)
{
    return "<DisplayText id='" + id + "' fontResourceId='" + font + "' reservedCharacters='64'/>";
}

inline std::string PopupButton(const std::string& number, const char* y, const std::string& font)
{
    return "<Button id='button" + number + "' posY='" + y +
           "' sizeX='200' sizeY='60' mouseButton='LEFT'/><Scale id='button" + number + "scale'>" +
           PopupText("button_text" + number, font) + "</Scale>";
}

inline const char* PopupCancelButton()
{
    return "<Button id='button_cancel' posX='400' posY='200' sizeX='40' sizeY='40' mouseButton='LEFT'/>";
}

// The "popup" namespace alone; the caller puts it below a view and camera.
inline std::string PopupNamespace(const std::string& font, const std::string& cancel = PopupCancelButton())
{
    return "<Namespace id='popup' activeAndVisible='false'><Timeline id='timeline' endTime='10.25'/>"
           "<Scale id='message_scale'>" +
           PopupText("message", font) + "</Scale>" + PopupText("message_small", font) +
           PopupButton("1", "-100", font) + PopupButton("2", "-100", font) + PopupButton("3", "-300", font) + cancel +
           "</Namespace>";
}

// The pop-up under a view whose camera shows one unit per pixel.
inline std::string PopupGraph(const std::string& font, const std::string& cancel = PopupCancelButton())
{
    return "<View><OrthographicCamera unitSizeX='1'/>" + PopupNamespace(font, cancel) + "</View>";
}

} // namespace Testing
} // namespace Vorn
