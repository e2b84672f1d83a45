// The platform's modeless message boxes as the game calls them: a title, a message and buttons;
// the game opens a dialog and learns the pressed button at a later logic step. Implemented by the
// platform layer.
#pragma once

#include "foundation/array.h"
#include "foundation/string.h"
#include "foundation/types.h"
#include "output/controlable.h"

namespace Vorn {

class ISystemDialog
{
public:
    virtual String GetTitle() const = 0;
    virtual String GetMessage() const = 0;
    virtual UInt32 GetNumberOfButtons() const = 0;
    // Empty for an index out of range.
    virtual String GetButtonLabel(UInt32 index) const = 0;
    virtual void AddButton(const String& label) = 0;
    // Asks for the dialog to be shown; ignored unless it is idle.
    virtual void Open() = 0;
    // Closes a shown dialog as if the button of that index was pressed.
    virtual void Close(SInt32 result) = 0;
    virtual Bool IsOpen() const = 0;
    // True for the one logic step after the dialog appeared or went away.
    virtual Bool WasOpened() const = 0;
    virtual Bool WasClosed() const = 0;
    // The index of the pressed button.
    virtual SInt32 GetResult() const = 0;
    virtual ~ISystemDialog() {}
};

class ISystemDialogControl : public IControlable
{
public:
    virtual ISystemDialog* CreateDialog(const String& title, const String& message, const Array<String>& labels) = 0;
    virtual ISystemDialog* CreateDialog(const String& title, const String& message, const String& label1,
                                        const String& label2, const String& label3) = 0;
    virtual ISystemDialog* CreateDialog(const String& title, const String& message, const String& label1,
                                        const String& label2) = 0;
    virtual ISystemDialog* CreateDialog(const String& title, const String& message, const String& label) = 0;
    // Ignored for a dialog this control did not make.
    virtual void DestroyDialog(ISystemDialog* dialog) = 0;
};

} // namespace Vorn
