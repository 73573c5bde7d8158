#include "documents/DocumentOpener.h"

#include "documents/DocumentConverters.h"
#include "documents/DocumentTypes.h"
#include "documents/EditorLoader.h"

#include <QTextEdit>

namespace documents {

DocumentOpener::DocumentOpener(QTextEdit& editor, EditorLoader& loader,
                               DocumentConverters& converters)
    : editor_(editor)
    , loader_(loader)
    , converters_(converters)
{
}

bool DocumentOpener::OpenDocumentFile(const QString& path)
{
    switch (handlingOf(extensionOf(path))) {
    case DocumentHandling::LoadIntoEditor:
        editor_.clear();
        loader_.load(path);
        return true;
    case DocumentHandling::ConvertWordDocument:
        converters_.LoadDocFile(path);
        return true;
    case DocumentHandling::ConvertPdf:
        converters_.LoadPdfFile(path);
        return true;
    case DocumentHandling::Browse:
        return true;
    case DocumentHandling::Nothing:
        break;
    }
    return false;
}

} // namespace documents
