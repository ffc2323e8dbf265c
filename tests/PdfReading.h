#pragma once

#include <memory>
#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-page.h>
#include <poppler/cpp/poppler-toc.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillmark {

// What the tests read back from a printed PDF, through Poppler.
struct TPdfBookmark {
    std::string Title;
    std::vector<TPdfBookmark> Children;
    bool operator==(const TPdfBookmark&) const = default;
};

class TPdfReader {
public:
    explicit TPdfReader(const std::string& path)
        : document_(poppler::document::load_from_file(path)) {
        if (!document_)
            throw std::runtime_error("not a PDF: " + path);
    }

    int Pages() const { return document_->pages(); }

    // The text of a page, counted from 1, in reading order.
    std::string PageText(int page) const {
        const std::unique_ptr<poppler::page> p(document_->create_page(page - 1));
        return Utf8(p->text());
    }

    // Width and height in points (1/72 inch).
    std::pair<double, double> PageSize(int page) const {
        const std::unique_ptr<poppler::page> p(document_->create_page(page - 1));
        const poppler::rectf box = p->page_rect();
        return {box.width(), box.height()};
    }

    std::vector<TPdfBookmark> Bookmarks() const {
        const std::unique_ptr<poppler::toc> toc(document_->create_toc());
        return toc ? Children(toc->root()) : std::vector<TPdfBookmark>{};
    }

private:
    static std::string Utf8(const poppler::ustring& text) {
        const poppler::byte_array bytes = text.to_utf8();
        return std::string(bytes.begin(), bytes.end());
    }
    static std::vector<TPdfBookmark> Children(const poppler::toc_item* item) {
        std::vector<TPdfBookmark> children;
        for (const poppler::toc_item* child : item->children())
            children.push_back({Utf8(child->title()), Children(child)});
        return children;
    }

    std::unique_ptr<poppler::document> document_;
};

} // namespace quillmark
