// vantor-locations-build TABLE FOLDER: writes "Regions.idx" and the ".wdb" files of the places
// table into the folder. The build runs it on data/locations/places.csv.

#include "locations/location_builder.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: vantor-locations-build TABLE.csv FOLDER\n";
        return 2;
    }
    vantor::TBuildSummary summary;
    const vantor::TResult built = vantor::BuildLocationDatabases(argv[1], argv[2], summary);
    if (!built) {
        std::cerr << "vantor-locations-build: " << built.Message << "\n";
        return 1;
    }
    std::cout << "vantor-locations-build: " << summary.Places << " places in " << summary.Databases << " databases, "
              << summary.Regions << " regions\n";
    return 0;
}
