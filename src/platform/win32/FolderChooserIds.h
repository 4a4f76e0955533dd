// The folder chooser's dialog template and its controls, shared by the resources and the code.
#pragma once

#define QM_FOLDER_CHOOSER 200
#define QM_FOLDER_NAME 201
#define QM_FOLDER_CURRENT 202
#define QM_FOLDER_TREE 203
#define QM_FOLDER_FILES 204
#define QM_FOLDER_DRIVES 205
#define QM_FOLDER_NETWORK 206
