// The radio's menu items as its documentation lists them: item, set value, reshape, answer width.
// The tests read these lines independently of the catalogue compiled into the command set.
#pragma once

namespace CatTest {

inline const char* const kMenuReference = R"(
01-01 | 4, zero-filled | multiple of 20, at most 4000 | 4
01-02 | 4, zero-filled | multiple of 20, at most 4000 | 4
01-03 | 4, zero-filled | multiple of 20, at most 4000 | 4
02-01 | 2, zero-filled | 1-15 | 2
02-02 | 2, zero-filled | 1-15 | 2
02-03 | 2, zero-filled | 1-15 | 2
02-04 | 2, zero-filled | 1-15 | 2
02-05 | 0-3 as one digit | — | 1
02-06 | digits, no fill | — | 1
02-07 | digits, no fill | — | 1
03-01 | 3, zero-filled | — | 3
03-02 | 3, zero-filled | — | 3
04-01 | digits, no fill | — | 1
04-02 | digits, no fill | — | 1
04-03 | 2, zero-filled | 25-45 | 2
04-04 | 3, zero-filled | — | 3
04-05 | digits, no fill | — | 1
04-06 | 4, zero-filled | — | 4
04-07 | digits, no fill | — | 1
04-08 | digits, no fill | — | 1
04-09 | digits, no fill | — | 1
04-10 | digits, no fill | — | 1
04-11 | digits, no fill | — | 1
05-01 | digits, no fill | — | 1
05-02 | digits, no fill | — | 1
05-03 | read only | — | 2
05-04 | 3, zero-filled | at most 100 | 3
05-05 | digits, no fill | — | 1
05-06 | read only | — | 1
05-07 | digits, no fill | — | 1
05-08 | digits, no fill | — | 1
05-09 | digits, no fill | — | 1
05-10 | digits, no fill | — | 1
05-11 | digits, no fill | — | 1
05-12 | digits, no fill | — | 1
05-13 | sign + 2 | -20-20 | 3
05-14 | 2, zero-filled | 0-30 | 2
05-15 | digits, no fill | — | 1
05-16 | digits, no fill | — | 1
05-17 | sign + 2 | -25-25 | 3
05-18 | digits, no fill | — | 1
05-19 | digits, no fill | — | 1
05-20 | digits, no fill | — | 1
06-01 | 2, zero-filled | — | 2
06-02 | digits, no fill | — | 1
06-03 | 2, zero-filled | — | 2
06-04 | digits, no fill | — | 1
06-05 | digits, no fill | — | 1
06-06 | 3, zero-filled | 0-100 | 3
06-07 | digits, no fill | — | 1
07-01 | 2, zero-filled | — | 2
07-02 | digits, no fill | — | 1
07-03 | 2, zero-filled | — | 2
07-04 | digits, no fill | — | 1
07-05 | 3, zero-filled | 0-100 | 3
07-06 | digits, no fill | — | 1
07-07 | digits, no fill | — | 1
07-08 | digits, no fill | — | 1
07-09 | 4, zero-filled | multiple of 10, then 30-3000 | 4
07-10 | digits, no fill | — | 1
07-11 | digits, no fill | — | 1
07-12 | digits, no fill | — | 1
07-13 | digits, no fill | — | 1
08-01 | digits, no fill | — | 1
08-02 | digits, no fill | — | 1
08-03 | sign + 4 | -3000-3000, then multiple of 10 | 5
08-04 | sign + 4 | -3000-3000, then multiple of 10 | 5
08-05 | 2, zero-filled | — | 2
08-06 | digits, no fill | — | 1
08-07 | 2, zero-filled | — | 2
08-08 | digits, no fill | — | 1
08-09 | digits, no fill | — | 1
08-10 | digits, no fill | — | 1
08-11 | 3, zero-filled | 0-100 | 3
08-12 | digits, no fill | — | 1
09-01 | digits, no fill | — | 1
09-02 | 3, zero-filled | — | 3
09-03 | digits, no fill | — | 1
09-04 | 4, zero-filled | — | 4
09-05 | 4, zero-filled | — | 4
09-06 | digits, no fill | — | 1
10-01 | 2, zero-filled | — | 2
10-02 | digits, no fill | — | 1
10-03 | 2, zero-filled | — | 2
10-04 | digits, no fill | — | 1
10-05 | digits, no fill | — | 1
10-06 | digits, no fill | — | 1
10-07 | digits, no fill | — | 1
10-08 | 3, zero-filled | 0-100 | 3
10-09 | digits, no fill | — | 1
10-10 | digits, no fill | — | 1
10-11 | digits, no fill | — | 1
11-01 | 2, zero-filled | — | 2
11-02 | digits, no fill | — | 1
11-03 | 2, zero-filled | — | 2
11-04 | digits, no fill | — | 1
11-05 | digits, no fill | — | 1
11-06 | 3, zero-filled | 0-100 | 3
11-07 | digits, no fill | — | 1
11-08 | digits, no fill | — | 1
11-09 | digits, no fill | — | 1
12-01 | digits, no fill | — | 1
12-02 | sign + 2 | -40-20 | 3
12-03 | 2, zero-filled | 1-11 | 2
12-04 | digits, no fill | — | 2
13-01 | digits, no fill | — | 1
13-02 | digits, no fill | — | 1
14-01 | digits, no fill | — | 1
14-02 | digits, no fill | — | 1
14-03 | digits, no fill | — | 1
14-04 | digits, no fill | — | 1
14-05 | digits, no fill | — | 1
14-06 | digits, no fill | — | 1
14-07 | digits, no fill | — | 1
15-01 | 2, zero-filled | — | 2
15-02 | sign + 2 | -20-20 | 3
15-03 | 2, zero-filled | 1-10 | 2
15-04 | 2, zero-filled | — | 2
15-05 | sign + 2 | -20-20 | 3
15-06 | 2, zero-filled | 1-10 | 2
15-07 | 2, zero-filled | — | 2
15-08 | sign + 2 | -20-20 | 3
15-09 | 2, zero-filled | 1-10 | 2
15-10 | 2, zero-filled | — | 2
15-11 | sign + 2 | -20-20 | 3
15-12 | 2, zero-filled | 1-10 | 2
15-13 | 2, zero-filled | — | 2
15-14 | sign + 2 | -20-20 | 3
15-15 | 2, zero-filled | 1-10 | 2
15-16 | 2, zero-filled | — | 2
15-17 | sign + 2 | -20-20 | 3
15-18 | 2, zero-filled | 1-10 | 2
16-01 | 3, zero-filled | 5-100 | 3
16-02 | 3, zero-filled | 5-40 | 3
16-03 | 3, zero-filled | 5-100 | 3
16-04 | 3, zero-filled | 5-100 | 3
16-05 | 3, zero-filled | 5-40 | 3
16-06 | 3, zero-filled | 5-100 | 3
16-07 | 3, zero-filled | 0-100 | 3
16-08 | 3, zero-filled | 0-100 | 3
16-09 | 3, zero-filled | 0-100 | 3
16-10 | 3, zero-filled | 0-100 | 3
16-11 | 3, zero-filled | 0-100 | 3
16-12 | 3, zero-filled | 0-100 | 3
16-13 | 3, zero-filled | 0-100 | 3
16-14 | 3, zero-filled | 0-100 | 3
16-15 | digits, no fill | — | 1
16-16 | digits, no fill | — | 1
16-17 | read only | — | 4
16-18 | read only | — | 4
16-19 | 3, zero-filled | 0-100 | 3
16-20 | 3, zero-filled | 0-100 | 4
16-21 | 4, zero-filled | 30-3000 | 4
16-22 | 3, zero-filled | 0-100 | 3
16-23 | digits, no fill | — | 1
18-01 | read only | — | text
18-02 | read only | — | text
18-03 | read only | — | text
)";

} // namespace CatTest
