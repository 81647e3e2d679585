// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DepthReport.h"

// Told about every completed depth, on the searching thread.
class DepthListener
{
public:
    virtual ~DepthListener() = default;
    virtual void depthCompleted(const DepthReport &report) = 0;
};
