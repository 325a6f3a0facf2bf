#include "dialog_testing.h"

#include <wx/filename.h>

int UnexpectedDialogGuard::allowed_ = 0;

int UnexpectedDialogGuard::Enter(wxDialog* dialog) {
    if (allowed_ > 0) {
        return wxID_NONE;
    }
    ADD_FAILURE() << "Unexpected dialog \"" << dialog->GetTitle().utf8_string() << "\"";
    return wxID_CANCEL;
}

int ExpectMessage::OnInvoked(wxMessageDialog* dialog) const {
    seen_->shown = true;
    seen_->text = dialog->GetMessage();
    seen_->title = dialog->GetCaption();
    seen_->style = dialog->GetMessageDialogStyle();
    seen_->parent = dialog->GetParent();
    return wxID_OK;
}

int ExpectOpen::OnInvoked(wxFileDialog* dialog) const {
    if (seen_ != nullptr) {
        seen_->shown = true;
        seen_->wildcard = dialog->GetWildcard();
        seen_->filterIndex = dialog->GetFilterIndex();
        // Unshown, the GTK dialog has no path yet, only the parts it was given.
        seen_->offeredPath = dialog->GetPath();
        if (seen_->offeredPath.empty() && !dialog->GetFilename().empty()) {
            seen_->offeredPath =
                wxFileName(dialog->GetDirectory(), dialog->GetFilename()).GetFullPath();
        }
        seen_->parent = dialog->GetParent();
        if (seen_->inspect) {
            seen_->inspect(*dialog);
        }
    }
    if (path_.empty()) {
        return wxID_CANCEL;
    }
    dialog->SetPath(path_);
    return wxID_OK;
}
