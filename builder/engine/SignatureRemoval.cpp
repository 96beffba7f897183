#include "builder/engine/SignatureRemoval.h"

#include "builder/engine/PeImage.h"

bool removeCertificateTable(std::string& file) {
    PeImage image;
    std::string error;
    if (!readPeImage(file, image, error) || !image.certificates.present()) return false;
    // readPeImage found the table after the image and inside the file.
    file.erase(image.certificates.address, image.certificates.size);
    image.certificates = PeDirectory();
    patchPeImage(file, image);
    return true;
}
