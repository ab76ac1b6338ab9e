#include "components/Exceptions.h"

#include <new>

#include "utils/MessageBox.h"

const char* CurrentExceptionClassName()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e.ClassName();
    } catch (const std::bad_alloc&) {
        return "EOutOfMemory";
    } catch (...) {
        return "Exception";
    }
}

void ShowExceptionBox(const char* className) noexcept
{
    try {
        ShowMessageBox(std::string("Exception ") + className, MessageKind::Error, mbOK);
    } catch (...) {
    }
}
