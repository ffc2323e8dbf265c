#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// Conversions between UTF-8 and single-byte code pages through iconv, with
// code pages named as iconv knows them ("WINDOWS-1251", "WINDOWS-1252",
// "ISO-8859-1" ...). Neither call changes the locale of the process.

// UTF-8 text in the code page. A character the code page lacks becomes its
// nearest equivalent where one exists ("é" -> "e", "€" in Windows-1251 stays
// "€", "„" stays "„") and "?" otherwise; malformed UTF-8 bytes become "?".
// An unknown code page raises a QuillError.
std::string Utf8ToCodePage(std::string_view text, std::string_view codePage);

// UTF-8 HTML in the code page, every character the code page lacks written
// as a decimal character reference ("Łódź" in Windows-1251 -> "&#321;&#243;d&#378;"),
// so that nothing is lost. Malformed UTF-8 bytes become "&#65533;". An
// unknown code page raises a QuillError.
std::string Utf8ToCodePageWithCharRefs(std::string_view text, std::string_view codePage);

// Bytes in the code page as UTF-8. A byte the code page leaves undefined
// becomes U+FFFD. An unknown code page raises a QuillError.
std::string CodePageToUtf8(std::string_view bytes, std::string_view codePage);

} // namespace quillmark
