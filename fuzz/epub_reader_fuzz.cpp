#include "document_members_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzDocumentReader(data, size, narrix::DocumentFormat::Epub,
                              {"META-INF/container.xml", "EPUB/content.opf", "EPUB/nav.xhtml", "EPUB/toc.ncx",
                               "EPUB/text/ch001.xhtml", "EPUB/text/ch002.xhtml", "META-INF/encryption.xml"});
}
