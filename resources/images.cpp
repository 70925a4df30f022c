#include "resources/images.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares its function in the enclosing scope, which must
// be the global one.
static void RegisterTavrinoResource() {
    Q_INIT_RESOURCE(tavrino);
}

namespace tavrino {

void RegisterImages() {
    [[maybe_unused]] static const bool registered = [] {
        RegisterTavrinoResource();
        return true;
    }();
}

}  // namespace tavrino
