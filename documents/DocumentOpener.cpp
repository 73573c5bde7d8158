#include "documents/DocumentOpener.h"

#include "documents/DocumentTypes.h"
#include "documents/EditorLoader.h"

#include <QTextEdit>

namespace documents {

DocumentOpener::DocumentOpener(QTextEdit& editor, EditorLoader& loader)
    : editor_(editor)
    , loader_(loader)
{
}

bool DocumentOpener::OpenDocumentFile(const QString& path)
{
    switch (handlingOf(extensionOf(path))) {
    case DocumentHandling::LoadIntoEditor:
        editor_.clear();
        loader_.load(path);
        return true;
    case DocumentHandling::Browse:
    case DocumentHandling::ConvertWordDocument:
    case DocumentHandling::ConvertPdf:
        return true;
    case DocumentHandling::Nothing:
        break;
    }
    return false;
}

} // namespace documents
