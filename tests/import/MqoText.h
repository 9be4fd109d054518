// Metasequoia text for reader tests.
#pragma once

#include <string>
#include <vector>

namespace mqotext {

inline const std::string kHeader = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n";

// An object chunk with the given vertex rows and face rows (each row one line).
inline std::string Object(const std::string& name, const std::vector<std::string>& vertices,
                          const std::vector<std::string>& faces, const std::string& settings = "")
{
    std::string text = "Object \"" + name + "\" {\r\n" + settings;
    text += "\tvertex " + std::to_string(vertices.size()) + " {\r\n";
    for (const std::string& v : vertices)
        text += "\t\t" + v + "\r\n";
    text += "\t}\r\n\tface " + std::to_string(faces.size()) + " {\r\n";
    for (const std::string& f : faces)
        text += "\t\t" + f + "\r\n";
    return text + "\t}\r\n}\r\n";
}

inline const std::vector<std::string> kFourVertices = {"0 0 0", "1 0 0", "1 1 0", "0 1 0"};

}  // namespace mqotext
