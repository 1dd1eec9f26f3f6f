#pragma once
// Identifiers of VyxUpdater's resources.

#define IDS_UPDATER_REGISTERED 100
#define IDS_UPDATER_TITLE 101
