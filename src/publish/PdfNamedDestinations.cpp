#include "publish/PdfNamedDestinations.h"

#include "base/QuillError.h"

#include <memory>
#include <mutex>
#include <poppler/cpp/poppler-destination.h>
#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-global.h>

namespace quillmark {

std::unordered_map<std::string, int> ReadNamedDestinationPages(const std::string& pdfPath) {
    // Poppler reports damage in a file on standard error; the result (or the
    // failure below) says all the caller needs.
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    });
    const std::unique_ptr<poppler::document> document(poppler::document::load_from_file(pdfPath));
    if (!document || document->is_locked())
        throw QuillError("Cannot read the printed manual \"" + pdfPath + "\" as a PDF file.");
    std::unordered_map<std::string, int> pages;
    for (const auto& [name, destination] : document->create_destination_map())
        if (destination.page_number() > 0)
            pages.emplace(name, destination.page_number());
    return pages;
}

} // namespace quillmark
