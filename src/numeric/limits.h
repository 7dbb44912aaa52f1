// Limits and constants that several stages of a run share.
#pragma once

namespace bramble {

// Node table capacity; a node is split only while node_count < NODE_LIMIT, so both daughters fit.
constexpr int MAX_NODES = 200;
constexpr int NODE_LIMIT = 199;

// The split statistic and the critical-value table stop at 10 classes (9 degrees of freedom).
constexpr int MAX_CLASSES = 10;

// A nominal covariate keeps at most 10 categories; the rarest are merged into MERGED_LABEL.
constexpr int MAX_CATEGORIES = 10;
constexpr int MERGED_LABEL = 999;
constexpr int MISSING_LABEL = -9;
constexpr double DEFAULT_MISSING_CODE = -9.0;

// Splitting rules.
constexpr int RULE_ENTROPY = 1;
constexpr int RULE_GINI = 2;

// Pruning passes, in order.
constexpr int N_PRUNE_PASSES = 7;
constexpr double P_VALUES[N_PRUNE_PASSES] = {0.01, 0.005, 0.001, 0.0005, 0.0001, 0.00001, 0.000001};

// Upper chi-square quantiles as stored (four decimals), row = degrees of freedom (row 0 unused).
constexpr double CHISQ_CRITICAL[MAX_CLASSES][N_PRUNE_PASSES] = {
    {0, 0, 0, 0, 0, 0, 0},
    {6.6348, 7.8794, 10.8275, 12.1156, 15.1367, 19.5114, 23.9281},
    {9.2103, 10.5966, 13.8155, 15.2018, 18.4206, 23.0258, 27.6310},
    {11.3448, 12.8381, 16.2662, 17.7300, 21.1075, 25.9017, 30.6648},
    {13.2767, 14.8602, 18.4668, 19.9973, 23.5127, 28.4732, 33.3768},
    {15.0862, 16.7496, 20.5150, 22.1053, 25.7448, 30.8561, 35.8881},
    {16.8118, 18.5475, 22.4577, 24.1028, 27.8563, 33.1070, 38.2583},
    {18.4753, 20.2777, 24.3218, 26.0177, 29.8775, 35.2585, 40.5218},
    {20.0902, 21.9549, 26.1244, 27.8680, 31.8276, 37.3315, 42.7009},
    {21.6659, 23.5893, 27.8771, 29.6658, 33.7199, 39.3406, 44.8109},
};

// The longest token of the data file format; longer ones are read, but shown cut in messages.
constexpr int MAX_TOKEN_LENGTH = 199;

// Controlled mode: seed of the random case order, folds, smallest node that is cross-validated.
constexpr int RANDOM_SEED = 7;
constexpr int CV_FOLDS = 5;
constexpr int MIN_CV_CASES = 20;

// Tree layout, in layout units.
constexpr double LAYOUT_SPREAD = 2.0;
constexpr double LAYOUT_HALF_WIDTH = 0.5;
constexpr double LAYOUT_GAP = 1.2;

// Exit statuses: data and file errors end with -1 (255 for the shell), allocation failures with 1.
constexpr int STATUS_OK = 0;
constexpr int STATUS_DATA_ERROR = -1;
constexpr int STATUS_RUNTIME_ERROR = 1;

}  // namespace bramble
