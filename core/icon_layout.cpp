#include "core/icon_layout.h"

IconPosition CenterIcon(int cxClient, int cyClient, int cxIcon, int cyIcon) {
    return IconPosition{(cxClient - cxIcon + 1) / 2, (cyClient - cyIcon + 1) / 2};
}
